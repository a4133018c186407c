#pragma once

#include "platform/StateReset.h"

#include <QPointer>
#include <QWidget>

// One window of a kind at a time: created on first use, destroyed when unloaded
// (by unload() or by the user closing it), created anew on the next use.
// A window class names the floor of its folder (static constexpr Floor
// HomeFloor), so the reset of the tests unloads the upper folders' windows
// first; each creation is recorded there (platform/StateReset.h).
template <class T> class FormInstance {
public:
    // The window, created (and its load run by its constructor) on first use.
    static T& get() {
        if (instance_.isNull()) {
            StateReset::Window_Made(
                {T::staticMetaObject.className(), T::HomeFloor, &loaded, &unload});
            instance_ = new T(); // owned by Qt: deleted on close or by unload()
            instance_->setAttribute(Qt::WA_DeleteOnClose);
        }
        return *instance_;
    }
    // The window brought to the user: created on first use, shown, raised and
    // made the active window.
    static T& open() {
        T& window = get();
        window.show();
        window.raise();
        window.activateWindow();
        return window;
    }
    static bool loaded() { return !instance_.isNull(); }
    static T* ifLoaded() { return instance_.data(); }
    // Destroys the window now, if it exists.
    static void unload() {
        if (!instance_.isNull())
            delete instance_.data();
    }

private:
    static inline QPointer<T> instance_;
};
