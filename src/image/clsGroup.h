// Group record codec: one group's parameter block and, through its 16
// channel objects, its channels, between the image and the GroupView.
#pragma once
#include <memory>
#include <vector>
#include "image/MemoryImage.h"
#include "image/Views.h"
#include "image/clsChannel.h"

namespace orv {

class clsGroup {
public:
    // A codec that reads and writes `img`.
    clsGroup(MemoryImage& img, GroupView& view);
    // A codec that only reads `img`; its writers throw std::logic_error.
    clsGroup(const MemoryImage& img, GroupView& view);

    void Read_Group(int intGroup);
    void Read_Password(int intGroup);
    void Read_Group_Label(int intGroup);
    void Read_TOT_Scan(int intGroup);
    void Read_ID_Num(int intGroup);
    void Read_Display_Mode(int intGroup);
    void Read_BackLight(int intGroup);
    void Read_Duration(int intGroup);
    void Read_Pri_1(int intGroup);
    void Read_Pri_2(int intGroup);
    void Read_Pri_TX(int intGroup);
    void Read_Battery_Saver(int intGroup);
    void Read_Keyboard_Lockouts(int intGroup);
    void Read_Busy_Channel_Indicate(int intGroup);
    void Read_ANI_DTMF(int intGroup);
    void Read_Group_Scan_List(int intGroup);
    void Read_UCG_Encode(int intGroup);
    void Read_UCG_Enable(int intGroup);
    void Read_UCG_Chan(int intGroup);

    void Write_Group(int intGroup);  // may throw FieldError (from a channel)
    void Write_Password(int intGroup);
    void Write_Group_Label(int intGroup);
    void Write_TOT_Scan(int intGroup);
    void Write_ID_Num(int intGroup);
    void Write_Display_Mode(int intGroup);
    void Write_BackLight(int intGroup);
    void Write_Duration(int intGroup);
    void Write_Pri_1(int intGroup);
    void Write_Pri_2(int intGroup);
    void Write_Pri_TX(int intGroup);
    void Write_Battery_Saver(int intGroup);
    void Write_Keyboard_Lockouts(int intGroup);
    void Write_Busy_Channel_Indicate(int intGroup);
    void Write_ANI_DTMF(int intGroup);
    void Write_Group_Scan_List(int intGroup);
    void Write_UCG_Encode(int intGroup);
    void Write_UCG_Enable(int intGroup);
    void Write_UCG_Chan(int intGroup);

private:
    MemoryImage& out();  // the image to write, or std::logic_error for a reading codec
    const MemoryImage& src_;
    MemoryImage* dst_;
    GroupView& view_;
    std::vector<clsChannel> channels_;
};

}  // namespace orv
