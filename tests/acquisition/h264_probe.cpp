// h264_probe FILE: what a recording holds, for the command-line tests. Prints the NAL units'
// summary and what libavcodec decodes; exits 1 when the file cannot be read or decoded.
#include <QString>

#include <cstdio>

#include "h264_helpers.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: h264_probe FILE.h264\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const H264Summary s = summariseH264(readFileBytes(path));
    const DecodedVideo v = decodeH264(path);
    std::printf("sps: %d\npps: %d\nidr: %d\npictures: %d\nfirst: %d\nclean: %d\n", s.sps, s.pps, s.idr,
                s.pictures, s.firstType, s.clean ? 1 : 0);
    std::printf("decoded: %d\nsize: %dx%d\nrate: %.2f\nerrors: %d\n", int(v.luma.size()), v.width, v.height,
                v.frameRate, v.errors);
    return v.opened && !v.luma.empty() ? 0 : 1;
}
