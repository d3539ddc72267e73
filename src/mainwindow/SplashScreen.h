#pragma once

#include <QTimer>
#include <QWidget>
#include <chrono>

class QLabel;
class TAppStatusListener;
class TAppStatusProvider;

// The window shown while the program starts: the program's picture, its name and version, and
// the status of the start-up as it goes. Borderless, centred on the screen, and up for at least
// its minimum time from when it is first shown; it deletes itself when it closes.
class TfrmSplashScreen final : public QWidget {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds DefaultMinimumTime{1500};

    TfrmSplashScreen(const QString& version, std::chrono::milliseconds minimumTime);
    ~TfrmSplashScreen() override;

    // Shows every status change of the provider, painted at once, until the splash goes.
    void Listen(TAppStatusProvider& provider);
    // Closes as soon as the minimum time is up; at once when it is.
    void WaitAndClose();
    bool IsMinimumTimeUp() const { return minimumTimeUp_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void MinimumTimeUp();

    QLabel* labName_;
    QLabel* labStatus_;
    QTimer timer1_; // Timer1: the minimum time
    bool minimumTimeUp_ = false;
    bool closeWhenUp_ = false;
    TAppStatusProvider* provider_ = nullptr;
    TAppStatusListener* listener_ = nullptr;
};
