#pragma once

// What the progress window shows and how long it lives, apart from the window:
// the link and the transfers set the task text and the bar here, and reading
// them never opens the window. Setting them loads the progress (as a first
// touch of the window would) without showing it; Show() makes it visible.
// The window itself (frmProgress) only follows this model.

#include <QObject>
#include <QString>
#include <QTimer>

class ProgressModel : public QObject {
    Q_OBJECT
public:
    static inline const QString DesignText = QStringLiteral("Download Data");
    static constexpr int DesignTimeMe = 25000;

    ProgressModel();

    QString text() const { return text_; }
    void setText(const QString& text);
    // The bar holds 0..100; a value outside is kept at the nearer end.
    int value() const { return value_; }
    void setValue(int value);
    void addValue(int step) { setValue(value_ + step); }

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }

    // Loads (if not loaded) and shows.
    void Show();
    // Hides; stays loaded.
    void Hide();
    // The window's load: arms its own life time and, for a transfer (not while
    // the default map loads), the sequencer's watch at 5 s.
    void Form_Load();
    // The window's unload: stops the sequencer's watch; the next load starts
    // from the design values.
    void Form_Unload();
    // The life time ran out.
    void TimeMe_Timer();
    // Stops the life time, sets it to ms and starts it again.
    void Restart_TimeMe(int ms);
    int timeMeInterval() const { return TimeMe.interval(); }
    bool timeMeEnabled() const { return TimeMe.isActive(); }

signals:
    void changed();

private:
    void touch();
    void notify();

    QTimer TimeMe;
    QString text_ = DesignText;
    int value_ = 0;
    bool loaded_ = false;
    bool visible_ = false;
};

ProgressModel& Progress();
