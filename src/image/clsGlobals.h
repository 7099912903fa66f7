// Global record codec: page 0 of the image <-> the global parameters window.
#pragma once
#include <array>
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

class clsGlobals {
public:
    // A codec that reads and writes `img`.
    clsGlobals(MemoryImage& img, GlobalsView& view) : src_(img), dst_(&img), view_(view) {}
    // A codec that only reads `img`; its writers throw std::logic_error.
    clsGlobals(const MemoryImage& img, GlobalsView& view) : src_(img), dst_(nullptr), view_(view) {}

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
    MemoryImage& out();  // the image to write, or std::logic_error for a reading codec
    const MemoryImage& src_;
    MemoryImage* dst_;
    GlobalsView& view_;
};

// Switch code (0..7) to its name for the printed report; "" for 1, 2 and others.
std::string SwitchName(int code);

// The raw switch codes (0..7) the image holds for the five toggle switches:
// low power, channel scan, priority scan, repeater talk around, group scan.
std::array<int, 5> toggleSwitchCodes(const MemoryImage& img);

}  // namespace orv
