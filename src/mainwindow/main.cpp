#include "mainwindow/Application.h"
#include "mainwindow/MainForm.h"

#include <memory>

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    std::unique_ptr<TfrmMainForm> window;
    try {
        TMainFormOptions options;
        options.arguments = QCoreApplication::arguments().mid(1);
        window = std::make_unique<TfrmMainForm>(options);
    } catch (const std::exception& error) {
        ShowStartupFailure(error);
        return 1;
    }
    window->show();
    return QApplication::exec();
}
