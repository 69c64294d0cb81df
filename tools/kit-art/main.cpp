// make-kit-art DIR: writes the kit's built-in pictures (hand.cur, morph-face1.bmp,
// morph-face2.bmp) into DIR, to be kept in assets/cursors and assets/pictures.
#include <cstdio>
#include <fstream>
#include <string>

#include "KitArt.h"

namespace {

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (out) return true;
    std::fprintf(stderr, "make-kit-art: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-kit-art DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    using namespace zindra::kitart;
    const bool written = Write(dir + "/hand.cur", HandCursorFile()) && Write(dir + "/morph-face1.bmp", FaceFile(1)) &&
                         Write(dir + "/morph-face2.bmp", FaceFile(2));
    return written ? 0 : 1;
}
