// Global record codec: page 0 of the image <-> the global parameters window.
#pragma once
#include <functional>
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

class clsGlobals {
public:
    // `ensureView` is called before the first control is reached by each
    // Read_/Write_ operation; the editor uses it to load the global window
    // when it is not loaded (a decode while the window is closed opens it).
    clsGlobals(MemoryImage& img, GlobalsView& view, std::function<void()> ensureView = {})
        : img_(img), view_(view), ensureView_(std::move(ensureView)) {}

    void Read_Globals();
    void Read_DTMF_Dev();
    void Read_Front_Porch_Time();
    void Read_ANI_Rate();
    void Read_Pri_Rate();
    void Read_Battery_Saver_Inhibit();
    void Read_Freq_Display();
    void Read_Per_Channel_Power();
    void Read_Talk_Back_Scan();
    void Read_Nuisance_Channel_Delete();
    void Read_Switch_Assignments();
    static int Set_Switch_Assignment(int intSwitch);
    void Read_Rotary_Switch();

    void Write_Globals();
    void Write_DTMF_Dev();
    void Write_Front_Porch_Time();
    void Write_ANI_Rate();
    void Write_Pri_Rate();
    void Write_Battery_Saver_Inhibit();
    void Write_Freq_Display();
    void Write_Per_Channel_Power();
    void Write_Talk_Back_Scan();
    void Write_Nuisance_Channel_Delete();
    void Write_Switch_Assignments();
    static int Set_Switch_Returns(int intSwitch);
    void Write_Rotary_Switch();

private:
    void ensure() { if (ensureView_) ensureView_(); }
    MemoryImage& img_;
    GlobalsView& view_;
    std::function<void()> ensureView_;
    static constexpr int page_ = 0;
};

// Switch code (0..7) to its name for the printed report; "" for 1, 2 and others.
std::string SwitchName(int code);

}  // namespace orv
