#pragma once

#include <QApplication>

// The program's application object: an error that escapes the handling of any event is shown
// by the registry's HandleException (a general application error) and the program goes on.
class TApplication final : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// A start-up that could not create its modules, shown without them: in English, titled with
// the program's name.
void ShowStartupFailure(const std::exception& error);
