// zu-load-image FILE...: loads each image file through the image filter and prints its
// size. Exits 0 when every file loads, 1 when one cannot be read (one line on stderr), 2
// on a usage error. The test around it runs it on image bombs under a memory limit.

#include <cstdio>
#include <exception>
#include <string>

#include "backend/zu_canvas_cairo/filter_pixbuf.h"
#include "scene/zu_scene/graphics/bitmap.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: zu-load-image FILE...\n", stderr);
        return 2;
    }
    try {
        for (int i = 1; i < argc; ++i) {
            zu::TzuFilterPixbuf filter;
            zu::TzuBitmap bitmap;
            if (!filter.LoadFromFile(argv[i], 0, bitmap)) {
                std::fprintf(stderr, "zu-load-image: cannot read the image %s\n", argv[i]);
                return 1;
            }
            std::printf("%s: %d x %d\n", argv[i], bitmap.Width(), bitmap.Height());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zu-load-image: %s\n", e.what());
        return 1;
    }
    return 0;
}
