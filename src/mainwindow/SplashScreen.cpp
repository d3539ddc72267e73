#include "mainwindow/SplashScreen.h"

#include "app/AppCore.h"
#include "app/AppStatus.h"
#include "widgets/IconImages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

// The picture leaves its right half for the name and a darker band at the bottom for the status.
constexpr QRect TitleArea{176, 44, 136, 40};
constexpr QRect NameArea{178, 86, 134, 20};
constexpr QRect StatusArea{12, 149, 300, 24};

QLabel* LabelOn(QWidget* splash, const QString& name, const QRect& area, int pointSize, bool bold)
{
    auto* label = new QLabel(splash);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(area);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    // The picture is the same in every colour scheme; so is the text on it.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

TfrmSplashScreen::TfrmSplashScreen(const QString& version, std::chrono::milliseconds minimumTime)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"frmSplashScreen"_qs);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(TIconImages::SplashSize);
    setWindowTitle(TCore::GetAppName());
    LabelOn(this, u"labTitle"_qs, TitleArea, 22, true)->setText(TCore::GetAppName());
    labName_ = LabelOn(this, u"labName"_qs, NameArea, 10, false);
    labName_->setText(u"v. " + version);
    labStatus_ = LabelOn(this, u"labStatus"_qs, StatusArea, 9, false);
    labStatus_->setText(u"Modules init"_qs);

    timer1_.setObjectName(u"Timer1"_qs);
    timer1_.setSingleShot(true);
    timer1_.setInterval(minimumTime);
    connect(&timer1_, &QTimer::timeout, this, &TfrmSplashScreen::MinimumTimeUp);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmSplashScreen::~TfrmSplashScreen()
{
    if (provider_)
        provider_->RemoveListener(listener_);
}

void TfrmSplashScreen::Listen(TAppStatusProvider& provider)
{
    provider_ = &provider;
    listener_ = new TAppStatusListener;
    listener_->SetHandler(
        [this](void*, const TAppStatus& status) {
            labStatus_->setText(status.AsText());
            // Painted before the work that follows; the user's input waits for the window.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        this);
    provider.AddListener(listener_);
}

void TfrmSplashScreen::WaitAndClose()
{
    if (minimumTimeUp_)
        close();
    else
        closeWhenUp_ = true;
}

void TfrmSplashScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!minimumTimeUp_ && !timer1_.isActive())
        timer1_.start();
}

void TfrmSplashScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, TIconImages::SplashPicture(devicePixelRatioF()));
}

void TfrmSplashScreen::MinimumTimeUp()
{
    minimumTimeUp_ = true;
    if (closeWhenUp_)
        close();
}
