// Loading and showing one full-window JPEG of the demo suite in a window, beside libjpeg-turbo
// decoding the same file alone (the floor: nothing can show a picture faster than decoding it).
#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Image.h"
#include "framework/graphics/JpegDecoder.h"
#include "platform/posix/PathMapper.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace {

const char* kPicture = ZINDRA_BINARY_DIR "/suite/menu/m_1.jpg";

std::vector<unsigned char> ReadPicture() {
    std::ifstream in(kPicture, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("build the demo-suite target first: no ") + kPicture);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Jump {
    jpeg_error_mgr manager;
    std::jmp_buf buffer;
};

// libjpeg-turbo on its own: the bytes already in memory, decoded to BGRA rows.
void BM_Reference_LibjpegDecode(benchmark::State& state) {
    const std::vector<unsigned char> bytes = ReadPicture();
    std::vector<unsigned char> pixels;
    for (auto _ : state) {
        jpeg_decompress_struct info;
        Jump error;
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<Jump*>(c->err)->buffer, 1); };
        if (setjmp(error.buffer)) {
            jpeg_destroy_decompress(&info);
            state.SkipWithError("libjpeg failed");
            break;
        }
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&info);
        pixels.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 4);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 4;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_Reference_LibjpegDecode)->Unit(benchmark::kMillisecond);

// Our decoder on the same bytes: the error handling and limits around libjpeg.
void BM_Ours_DecodeJpeg(benchmark::State& state) {
    const std::vector<unsigned char> bytes = ReadPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(zindra::DecodeJpeg(bytes));
}
BENCHMARK(BM_Ours_DecodeJpeg)->Unit(benchmark::kMillisecond);

// What the menu does for each frame: read the file through the platform, decode it into the
// background image control, repaint the 800 by 600 window and present the frame.
void BM_Ours_LoadAndShow(benchmark::State& state) {
    using namespace zindra;
    platform::sim::SimMachine machine({});
    platform::sim::SimProcess process(machine);
    TApplication app(process);
    RegisterFrameworkClasses();
    auto* form = app.CreateForm<TForm>();
    form->SetBounds(0, 0, 800, 600);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAutoSize(true);
    form->Show();
    const std::string path = platform::posix::PathMapper(machine.CDrive()).ToWindows(kPicture);
    for (auto _ : state) {
        image->Picture()->LoadFromFile(path);
        form->PaintNow();
    }
    if (image->Width() != 800) state.SkipWithError("the picture did not load");
}
BENCHMARK(BM_Ours_LoadAndShow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
