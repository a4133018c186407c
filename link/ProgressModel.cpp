#include "link/ProgressModel.h"

#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "platform/Step.h"

#include <QCoreApplication>
#include <algorithm>

ProgressModel::ProgressModel() {
    TimeMe.setSingleShot(true);
    TimeMe.setInterval(DesignTimeMe);
    Step::Connect(&TimeMe, &QTimer::timeout, this, &ProgressModel::TimeMe_Timer);
}

void ProgressModel::touch() {
    if (!loaded_)
        Form_Load();
}

void ProgressModel::notify() {
    emit changed();
}

void ProgressModel::setText(const QString& text) {
    touch();
    text_ = text;
    emit changed();
}

void ProgressModel::setValue(int value) {
    touch();
    value_ = std::clamp(value, 0, 100);
    emit changed();
}

void ProgressModel::Show() {
    touch();
    visible_ = true;
    notify();
}

void ProgressModel::Hide() {
    if (!visible_)
        return;
    visible_ = false;
    notify();
}

void ProgressModel::Form_Load() {
    loaded_ = true;
    text_ = DesignText;
    value_ = 0;
    TimeMe.setInterval(DesignTimeMe);
    TimeMe.start();
    if (StatusMsg != StatusStates::LoadingDefaultMap) {
        Hooks().SetPauseInterval(5000);
        Hooks().SetPauseEnabled(true);
    }
    notify();
}

void ProgressModel::Form_Unload() {
    Hooks().SetPauseEnabled(false);
    if (!loaded_)
        return;
    TimeMe.stop();
    loaded_ = false;
    visible_ = false;
    text_ = DesignText;
    value_ = 0;
    notify();
}

void ProgressModel::TimeMe_Timer() {
    if (StatusMsg == StatusStates::NoTuneEnabled) {
        StatusMsg.clear();
        TimeMe.setInterval(DesignTimeMe);
    }
    Form_Unload();
}

void ProgressModel::Restart_TimeMe(int ms) {
    touch();
    TimeMe.stop();
    TimeMe.setInterval(ms);
    TimeMe.start();
}

ProgressModel& Progress() {
    // Owned by the application object, so it goes with it.
    static ProgressModel* model = [] {
        auto* m = new ProgressModel();
        m->setParent(QCoreApplication::instance());
        return m;
    }();
    return *model;
}
