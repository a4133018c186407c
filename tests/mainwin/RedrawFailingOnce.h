#pragma once

#include "mainwin/MainWindow.h"
#include "mainwin/MapCellText.h"
#include "mainwin/frmMain.h"

#include <QLineEdit>
#include <new>

// The main window as the other windows reach it, its first redraw of the map
// stopping half-way as memory that runs short would stop it: the first 64
// boxes drawn, then the error. Everything else is the real window's.
class RedrawFailingOnce : public MainWindow {
public:
    explicit RedrawFailingOnce(frmMain& w) : w_(w) {}
    int failures = 0;
    void Redraw_Shown_Map() override {
        if (failures > 0) {
            w_.Redraw_Shown_Map();
            return;
        }
        ++failures;
        const int tab = w_.Shown_Tab();
        const MapCellText::Layout& map = MapCellText::ForTab(tab);
        for (int n = 0; n < 64; ++n)
            w_.Txt128[static_cast<std::size_t>(n)]->setText(
                MapCellText::Cell(tab, map.cellBase + n));
        throw std::bad_alloc();
    }
    void Select_Tab(int tab) override { w_.Select_Tab(tab); }
    int Shown_Tab() const override { return w_.Shown_Tab(); }
    void Write_RPM_Scale() override { w_.Write_RPM_Scale(); }
    AxisLabelTexts Axis_Label_Texts() const override { return w_.Axis_Label_Texts(); }
    void Plot_Setup() override { w_.Plot_Setup(); }
    void Plot_Clear() override { w_.Plot_Clear(); }
    void Plot_Graph() override { w_.Plot_Graph(); }
    void Bar_Clear() override { w_.Bar_Clear(); }
    void Bar_Draw() override { w_.Bar_Draw(); }
    void Text_Values() override { w_.Text_Values(); }
    QString Step_Caption(int key) const override { return w_.Step_Caption(key); }
    void Show_Main(bool visible) override { w_.Show_Main(visible); }
    void Show_Tune_File(const QString& fileName) override { w_.Show_Tune_File(fileName); }
    void Show_Playback_Loaded(const QString& path) override { w_.Show_Playback_Loaded(path); }

private:
    frmMain& w_;
};
