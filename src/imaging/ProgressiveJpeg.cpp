#include "imaging/ProgressiveJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace quillane::jpeg {

namespace {

// The library reports a fatal error by calling error_exit, which must not return:
// it jumps back to the decoding function. Nothing between the jump and its target
// owns a resource; the decoder and the file are released by their owners there.
struct TErrors {
    jpeg_error_mgr Library;  // first member: the library sees only this part
    std::jmp_buf Escape;
    bool CutShort = false;
};

[[noreturn]] void EscapeOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TErrors*>(info->err)->Escape, 1);
}

// Warnings are counted and stay silent; running out of data is remembered.
void NoteMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;  // trace output
    ++info->err->num_warnings;
    if (info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<TErrors*>(info->err)->CutShort = true;
}

// Damage that makes the library warn a hundred times is no picture.
constexpr long kTooManyWarnings = 100;

struct TDecoder {
    jpeg_decompress_struct Info{};
    TErrors Errors{};

    TDecoder()
    {
        Info.err = jpeg_std_error(&Errors.Library);
        Errors.Library.error_exit = EscapeOnError;
        Errors.Library.emit_message = NoteMessage;
        jpeg_create_decompress(&Info);
    }
    ~TDecoder() { jpeg_destroy_decompress(&Info); }
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;
};

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool Applicable(const jpeg_decompress_struct& info)
{
    const bool colour = info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr;
    const bool grey = info.num_components == 1;
    return info.progressive_mode && (colour || grey);
}

// The progression status records, for every coefficient of every component, the bit
// position the scans have reached; 0 is complete. At 1/8 a component stored at full
// resolution is decoded at one pixel a block, from its DC coefficient alone; one
// stored at half resolution is decoded at 2 x 2 a block, from all of them.
bool OutputCoefficientsComplete(const jpeg_decompress_struct& info)
{
    for (int component = 0; component < info.num_components; ++component) {
        const int used = info.comp_info[component].DCT_scaled_size == 1 ? 1 : DCTSIZE2;
        for (int coefficient = 0; coefficient < used; ++coefficient)
            if (info.coef_bits[component][coefficient] != 0)
                return false;
    }
    return true;
}

// Reads whole scans until the output's coefficients are complete, or to the end;
// false when the data runs out.
bool ReadScansForOutput(jpeg_decompress_struct& info)
{
    for (;;) {
        const int status = jpeg_consume_input(&info);
        if (status == JPEG_SCAN_COMPLETED && OutputCoefficientsComplete(info))
            return true;
        if (status == JPEG_REACHED_EOI)
            return true;
        if (status == JPEG_SUSPENDED)
            return false;
    }
}

void ReadRows(jpeg_decompress_struct& info, TEighthPicture& picture)
{
    picture.Width = static_cast<int>(info.output_width);
    picture.Height = static_cast<int>(info.output_height);
    picture.Bands = info.output_components;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Bands);
    picture.Pixels.resize(rowBytes * static_cast<std::size_t>(picture.Height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.Pixels.data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
}

TEighthResult Decode(jpeg_decompress_struct& info, const TErrors& errors, std::FILE* input, TEighthPicture& picture)
{
    jpeg_stdio_src(&info, input);
    jpeg_read_header(&info, TRUE);
    if (!Applicable(info))
        return TEighthResult::NotApplicable;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 8;
    info.buffered_image = TRUE;
    // Smoothing would guess coefficients not yet read; the output needs none of them.
    info.do_block_smoothing = FALSE;
    jpeg_start_decompress(&info);
    if (!ReadScansForOutput(info))
        return TEighthResult::Damaged;
    jpeg_start_output(&info, info.input_scan_number);
    ReadRows(info, picture);
    const bool damaged = errors.CutShort || info.err->num_warnings >= kTooManyWarnings;
    return damaged ? TEighthResult::Damaged : TEighthResult::Decoded;
}

}  // namespace

TEighthResult DecodeProgressiveAtEighth(const TPath& file, TEighthPicture& picture)
{
    const std::unique_ptr<std::FILE, TFileCloser> input(std::fopen(file.c_str(), "rbe"));
    if (!input)
        return TEighthResult::NotApplicable;
    TDecoder decoder;
    if (setjmp(decoder.Errors.Escape) != 0)
        return TEighthResult::Damaged;
    return Decode(decoder.Info, decoder.Errors, input.get(), picture);
}

}  // namespace quillane::jpeg
