#include "mainwin/MainWindow.h"

namespace {

MainWindow& none() {
    static NoMainWindow idle;
    return idle;
}

MainWindow* current = nullptr;

} // namespace

MainWindow& Main() {
    return current ? *current : none();
}

void Set_Main(MainWindow* window) {
    current = window;
}
