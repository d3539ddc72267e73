#include "mainwindow/QtTranslation.h"

#include "languages/LanguagesEngine.h"

#include <QCoreApplication>
#include <QLibraryInfo>

TQtTranslation::~TQtTranslation()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

bool TQtTranslation::Apply(TLanguage language)
{
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
    }
    if (language != TLanguage::Czech)
        return true;
    if (!translator_.load(u"qtbase_cs"_qs, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}
