#pragma once

// The serial link of the main window: the serial control Comm1, the polling
// timer Comm_Timer with its tick, the port's opening, retry and loss, and going
// on-line and off-line. The main window owns one and forwards its menus here;
// whatever the link changes on the windows goes through Hooks().

#include "link/CommControl.h"
#include "link/PortErrors.h"

#include <QObject>
#include <QTimer>

class UnitLink : public QObject {
    Q_OBJECT
public:
    UnitLink();
    ~UnitLink() override;

    // The link in use (the one constructed last and still alive), or nullptr.
    static UnitLink* current();

    CommControl Comm1;
    // The polling tick, normally every cfg_CommSpeed + 20 ms.
    QTimer Comm_Timer;
    // One retry of an open that found the port in use, 500 ms later.
    QTimer Timer_CommEnd;
    // While on-line with no usable port (never opened, or gone and not reopened),
    // the port is tried again quietly every PortRetryMs: an adapter plugged in
    // is taken up without the user choosing on-line again.
    QTimer Port_Retry;
    static constexpr int PortRetryMs = 1000;

    // One tick of the communication timer: at most one poll, read request,
    // command or queue element goes out.
    void Comm_Timer_Timer();

    void SerialPortOn();
    void SerialPortOff();
    void SerialPort_TRY();
    void Timer_CommEnd_Timer();
    void Port_Retry_Timer();
    void GO_ONLine();
    void GO_OFFLine();
    // The device vanished while open (the control has closed it): tell the user
    // once and let the unanswered ticks run their course.
    void Device_Lost();
    // The link's part of the main window's unload: the port, the trace and a
    // recording still running (with its end lines) close.
    void Form_Unload();

    // Menu handlers of the main window.
    void mnuOnline_Click();
    void mnuOffline_Click();
    void mnuPort_Click(int port); // "Comm Port 1" .. "Comm Port 4"
    void mnuMapA_Click();
    void mnuMapB_Click();
    void mnuUpload_Click();
    void mnuReset_Click();

    bool timerEnabled() const { return Comm_Timer.isActive(); }
    int interval() const { return Comm_Timer.interval(); }

private:
    void tick();
    // The steps of a tick.
    bool replyAwaited();
    void countUnanswered(bool awaited);
    void reconnect();
    void request(bool awaited);
    void poll();
    void requestConnect();
    void requestFirstPage();
    void requestReadOut();
    // The steps of sending the request in hand.
    void sendRequest();
    bool sendNextElement();
    bool queueDone() const;
    void startRefresh();
    void sendWithProgress();
    void sendQueueElement();
    void send(const QByteArray& frame);
    void traceLine(int prefix);
    void setTimerEnabled(bool enabled);
    void setInterval(int ms) { Comm_Timer.setInterval(ms); }
    void growInterval();
    void showLoss();
    void portOpened();
    void portFailed(int number, PortErrors::Family family);
    void noPort();
    void tell(int number, PortErrors::Family family, const QString& more = QString());
    bool downloadWaits() const;
};
