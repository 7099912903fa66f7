// Channel record codec: one channel of one group between the image and one
// grid row plus its three check boxes.
#pragma once
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

class clsChannel {
public:
    // A codec that reads and writes `img`.
    clsChannel(MemoryImage& img, ChannelGridView& view) : src_(img), dst_(&img), view_(view) {}
    // A codec that only reads `img`; its writers throw std::logic_error.
    clsChannel(const MemoryImage& img, ChannelGridView& view) : src_(img), dst_(nullptr), view_(view) {}

    void Read_Channel(int intGroup, int intChan);
    void Write_Channel(int intGroup, int intChan);  // may throw FieldError

    void Read_RX_Freq(int intGroup, int intChan);
    void Read_RX_CG(int intGroup, int intChan);
    void Read_TX_Freq(int intGroup, int intChan);
    void Read_TX_CG(int intGroup, int intChan);
    void Read_Chan_Aplha(int intGroup, int intChan);
    void Read_Lo_Power(int intGroup, int intChan);
    void Read_Narrow_Band(int intGroup, int intChan);
    void Read_Scan_List(int intGroup, int intChan);

    void Write_RX_Freq(int intGroup, int intChan);
    void Write_RX_CG(int intGroup, int intChan);
    void Write_TX_Freq(int intGroup, int intChan);
    void Write_TX_CG(int intGroup, int intChan);
    void Write_Chan_Alpha(int intGroup, int intChan);
    void Write_Lo_Power(int intGroup, int intChan);
    void Write_Narrow_Band(int intGroup, int intChan);
    void Write_Scan_List(int intGroup, int intChan);

    static std::string strHexToFreq(double dFreqHex);
    static double dFreqToDbl(const std::string& StrFreq);

    // Pure text <-> word conversions used by the readers and writers above and
    // by the window's edit checks. The encoders throw FieldError (naming
    // `field`) for texts the field cannot hold.
    static std::string codeGuardText(uint16_t word);
    static uint16_t codeGuardWord(const std::string& text, const std::string& field);
    static uint16_t freqCode(const std::string& text, const std::string& field);
    static bool codeGuardTextValid(const std::string& text);
    static bool freqTextValid(const std::string& text);

private:
    MemoryImage& out();  // the image to write, or std::logic_error for a reading codec
    const MemoryImage& src_;
    MemoryImage* dst_;
    ChannelGridView& view_;
};

}  // namespace orv
