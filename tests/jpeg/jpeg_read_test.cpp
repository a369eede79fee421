// jpeg_read: the operations of the interface, files and memory blocks, the
// image layouts, and every error path with its code.
#include "tests/jpeg/jpeg_decode_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "jpeg/jpeg_env.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

using namespace velmora;
using oracle::Space;
using oracle::Vorgabe;

std::vector<uint8_t> baseline(int w = 48, int h = 40, int hv = 2, bool progressive = false) {
    Vorgabe s;
    s.width = w, s.height = h, s.h0 = hv, s.v0 = hv, s.progressive = progressive;
    return oracle::encode(s);
}

size_t find_marker(const std::vector<uint8_t>& d, uint8_t code, size_t from = 2) {
    for (size_t i = from; i + 1 < d.size(); ++i)
        if (d[i] == 0xFF && d[i + 1] == code) return i;
    return std::string::npos;
}

size_t segment_end(const std::vector<uint8_t>& d, size_t at) { return at + 2 + (size_t(d[at + 2]) << 8 | d[at + 3]); }

struct Record {
    std::unique_ptr<JPEG_IMAGE_PARAMS> holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    std::vector<uint8_t> pixels;
    Record() { EXPECT_EQ(jpeg_init(p), 0); }
    ~Record() { jpeg_free(p); }
    void memory(const std::vector<uint8_t>& d) {
        p->stream_data = d.data();
        p->stream_size = int32_t(d.size());
    }
    void image(int w, int h, int color = JPEG_COLOR_RGB, int ch = 3) {
        pixels.assign(size_t(w) * size_t(h < 0 ? -h : h) * ch + 16, 0);
        p->image_data = pixels.data();
        p->image_width = w;
        p->image_height = h;
        p->image_channels = ch;
        p->image_color = color;
    }
};

// A read of the whole stream from memory, the parameters first.
JPEG_RESULT read_memory(const std::vector<uint8_t>& d) {
    Record r;
    r.memory(d);
    JPEG_RESULT h = jpeg_read(r.p, JPEG_OP_PARAMS_MEM);
    if (h != 0) return h;
    r.image(r.p->stream_width, r.p->stream_height);
    return jpeg_read(r.p, JPEG_OP_IMAGE_MEM);
}

std::string temp_file(const std::string& name, const std::vector<uint8_t>& d) {
    auto dir = std::filesystem::temp_directory_path() / ("velmora_jpeg_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
    return path;
}

TEST(JpegRead, ParametersReadReportsSizeColourAndSampling) {
    Record r;
    auto d = baseline(70, 45, 2);
    r.memory(d);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), 0);
    EXPECT_EQ(r.p->stream_width, 70);
    EXPECT_EQ(r.p->stream_height, 45);
    EXPECT_EQ(r.p->stream_channels, 3);
    EXPECT_EQ(r.p->stream_color, JPEG_COLOR_YCBCR);
    EXPECT_EQ(r.p->stream_sampling, JPEG_SAMPLING_420);
    Vorgabe s;
    s.space = Space::Rgb, s.h0 = 1, s.v0 = 1;
    auto rgb = oracle::encode(s);
    Record q;
    q.memory(rgb);
    ASSERT_EQ(jpeg_read(q.p, JPEG_OP_PARAMS_MEM), 0);
    EXPECT_EQ(q.p->stream_color, JPEG_COLOR_RGB);   // APP14 without transform
    s.space = Space::Cmyk;
    auto cmyk = oracle::encode(s);
    Record c;
    c.memory(cmyk);
    ASSERT_EQ(jpeg_read(c.p, JPEG_OP_PARAMS_MEM), 0);
    EXPECT_EQ(c.p->stream_color, JPEG_COLOR_RGBA);
    EXPECT_EQ(c.p->image_color, JPEG_COLOR_RGBA);
    EXPECT_EQ(c.p->image_channels, 4);
}

// The entropy-coded data after the (only) SOS: the positions of its markers'
// code bytes (FF xx with xx neither 00 nor FF).
std::vector<size_t> Scan_Marker(const std::vector<uint8_t>& jpg) {
    size_t i = 2;
    while (i + 3 < jpg.size() && !(jpg[i] == 0xFF && jpg[i + 1] == 0xDA)) i += 2 + size_t(jpg[i + 2] << 8 | jpg[i + 3]);
    std::vector<size_t> out;
    for (i += 2 + size_t(jpg[i + 2] << 8 | jpg[i + 3]); i + 1 < jpg.size(); ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] != 0x00 && jpg[i + 1] != 0xFF) out.push_back(i + 1);
    return out;
}

TEST(JpegRead, AnyMarkerInPlaceOfARestartMarkerDecodesTheSame) {
    struct Fall {
        const char* was;
        uint8_t ersatz;
    } faelle[] = {
        {"second RST replaced by APP1", 0xE1},
        {"second RST numbered out of order", 0xD5},
        {"second RST replaced by COM", 0xFE},
    };
    for (bool progressiv : {false, true}) {
        Vorgabe v;
        v.width = 40, v.height = 24, v.h0 = 1, v.v0 = 1;
        v.progressive = progressiv;
        (progressiv ? v.restart_rows : v.restart_mcus) = 1;
        const std::vector<uint8_t> jpg = oracle::encode(v);
        const jtest::Decoded richtig = jtest::decode(jpg);
        ASSERT_EQ(richtig.result, 0);
        std::vector<size_t> marker = Scan_Marker(jpg);
        ASSERT_GE(marker.size(), 3u);
        ASSERT_EQ(jpg[marker[1]], 0xD1);
        for (const Fall& f : faelle) {
            std::vector<uint8_t> anders = jpg;
            anders[marker[1]] = f.ersatz;
            const jtest::Decoded d = jtest::decode(anders);
            EXPECT_EQ(d.result, 0) << f.was << (progressiv ? " progressive" : "");
            EXPECT_TRUE(d.px == richtig.px) << f.was << (progressiv ? " progressive" : "");
        }
        // EOI in its place still ends the scan: the rest of the picture is not decoded.
        std::vector<uint8_t> ende = jpg;
        ende[marker[1]] = 0xD9;
        EXPECT_FALSE(jtest::decode(ende).px == richtig.px);
    }
}

TEST(JpegRead, FileHeaderThenImageContinuesAtTheScan) {
    auto d = baseline(50, 30, 2, true);
    std::string path = temp_file("a.jpg", d);
    jtest::Decoded want = jtest::decode(d);
    Record r;
    r.p->stream_file = path.c_str();
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_FILE), 0);
    EXPECT_GE(r.p->props.stream.file, 0);   // left open at the SOS marker
    r.image(r.p->stream_width, r.p->stream_height);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_FILE), 0);
    EXPECT_LT(r.p->props.stream.file, 0);   // a whole-image read closes its file
    EXPECT_EQ(0, std::memcmp(r.pixels.data(), want.px.data(), want.px.size()));
    // A second whole-image read opens the file again from its start.
    std::fill(r.pixels.begin(), r.pixels.end(), 0);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_FILE), 0);
    EXPECT_EQ(0, std::memcmp(r.pixels.data(), want.px.data(), want.px.size()));
    // Scaled reads from a file.
    Record h;
    h.p->stream_file = path.c_str();
    h.image(25, 15);
    ASSERT_EQ(jpeg_read(h.p, JPEG_OP_HALF_FILE), 0);
    jtest::Options half;
    half.scale = 2;
    EXPECT_EQ(0, std::memcmp(h.pixels.data(), jtest::decode(d, half).px.data(), 25 * 15 * 3));
}

TEST(JpegRead, BottomUpAndPadBytes) {
    auto d = baseline(33, 17, 2);
    jtest::Decoded top = jtest::decode(d);
    jtest::Options o;
    o.bottom_up = true;
    o.pad = 5;
    jtest::Decoded bottom = jtest::decode(d, o);
    ASSERT_EQ(bottom.result, 0);   // the helper marks touched pad bytes as -1000
    EXPECT_EQ(top.px, bottom.px);
    // Height 0 passes and writes nothing; -5 decodes five rows bottom-up. Both
    // reads use the plain converters: a cut MCU never goes through a vector kernel.
    jtest::Options plain;
    plain.cpu_class = 0;
    top = jtest::decode(d, plain);
    Record r;
    jpeg_fill_kernels(r.p->props.stream.environment, 0);
    r.memory(d);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), 0);
    r.image(33, 0);
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), 0);
    r.image(33, -5);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), 0);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(0, std::memcmp(r.pixels.data() + (4 - y) * 99, top.px.data() + y * 99, 99));
}

TEST(JpegRead, RegionOfInterest) {
    for (bool prog : {false, true}) {
        auto d = baseline(64, 64, 2, prog);
        jtest::Decoded whole = jtest::decode(d);
        Record r;
        r.memory(d);
        ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), 0);
        r.image(16, 16);
        r.p->props.region = {16, 16, 32, 32};
        ASSERT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), JPEG_ROI_SUCCESS) << prog;
        for (int y = 0; y < 16; ++y)
            EXPECT_EQ(0, std::memcmp(r.pixels.data() + y * 48, whole.px.data() + ((16 + y) * 64 + 16) * 3, 48));
        EXPECT_EQ(r.pixels[16 * 16 * 3], 0);   // nothing beyond the region's rows
        // A region covering the whole image is a whole-image read.
        r.image(64, 64);
        r.p->props.region = {0, 0, 64, 64};
        EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), 0);
        EXPECT_EQ(0, std::memcmp(r.pixels.data(), whole.px.data(), whole.px.size()));
    }
}

TEST(JpegRead, TablesOnlyAndAbbreviatedImage) {
    Vorgabe s;
    s.width = 40, s.height = 32;
    std::vector<uint8_t> tables, image;
    oracle::encode_abbreviated(s, tables, image);
    {   // tables only, no image after their EOI
        Record t;
        t.memory(tables);
        t.image(40, 32);
        EXPECT_EQ(jpeg_read(t.p, JPEG_OP_IMAGE_MEM), JPEG_ERR_NO_IMAGE);
    }
    Record r;
    r.memory(tables);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_TABLES_MEM), 0);
    r.memory(image);
    r.image(40, 32);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_DATA_MEM), 0);
    // The reference decodes the two joined into one stream.
    std::vector<uint8_t> joined(tables.begin(), tables.end() - 2);
    joined.insert(joined.end(), image.begin() + 2, image.end());
    oracle::Image ref = oracle::decode(joined);
    jtest::Diff diff = jtest::compare({r.pixels.begin(), r.pixels.begin() + 40 * 32 * 3}, ref.px);
    EXPECT_LE(diff.max, 4);
    // The abbreviated image alone has no tables.
    EXPECT_EQ(read_memory(image), JPEG_ERR_NO_HUFFMAN);
}

// A JFIF APP0 carrying a w x h RGB thumbnail, inserted after SOI.
std::vector<uint8_t> with_thumbnail(const std::vector<uint8_t>& d, uint8_t w, uint8_t h, size_t pixel_bytes) {
    std::vector<uint8_t> seg = {0xFF, 0xE0, 0, 0, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, w, h};
    for (size_t i = 0; i < pixel_bytes; ++i) seg.push_back(uint8_t(10 + i));
    seg[2] = uint8_t((seg.size() - 2) >> 8), seg[3] = uint8_t(seg.size() - 2);
    std::vector<uint8_t> out(d.begin(), d.begin() + 2);
    out.insert(out.end(), seg.begin(), seg.end());
    out.insert(out.end(), d.begin() + 2, d.end());
    return out;
}

TEST(JpegRead, JfifThumbnail) {
    auto d = with_thumbnail(baseline(), 2, 2, 12);
    Record r;
    r.memory(d);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), 0);
    EXPECT_EQ(r.p->thumb_width, 2);
    EXPECT_EQ(r.p->thumb_height, 2);
    r.image(2, 2, JPEG_COLOR_RGB);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_THUMB_MEM), 0);
    EXPECT_EQ(r.pixels[0], 10);
    EXPECT_EQ(r.pixels[11], 21);
    r.image(2, 2, JPEG_COLOR_BGR);
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_THUMB_MEM), 0);
    EXPECT_EQ(r.pixels[0], 12);   // R and B swapped
    r.image(1, 1, JPEG_COLOR_RGB);
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_THUMB_MEM), JPEG_ERR_THUMB_SMALL);
    r.image(2, 2, JPEG_COLOR_GRAY, 1);
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_THUMB_MEM), JPEG_ERR_THUMB_COLOR);
    // A payload too short for the pixels gives the size only.
    auto short_thumb = with_thumbnail(baseline(), 2, 2, 6);
    Record s;
    s.memory(short_thumb);
    s.image(2, 2);
    ASSERT_EQ(jpeg_read(s.p, JPEG_OP_THUMB_MEM), 0);
    EXPECT_EQ(s.p->thumb_width, 2);
    EXPECT_EQ(s.pixels[0], 0);
}

TEST(JpegRead, CommentIsCopiedOrCut) {
    auto d = baseline();
    std::vector<uint8_t> com = {0xFF, 0xFE, 0, 12, 'v', 'e', 'l', 'm', 'o', 'r', 'a', '!', '!', '!'};
    d.insert(d.begin() + 2, com.begin(), com.end());
    uint8_t buf[16] = {};
    Record r;
    r.memory(d);
    r.p->props.jpeg_comment = buf;
    r.p->props.jpeg_comment_size = 16;
    ASSERT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), 0);
    EXPECT_EQ(r.p->props.jpeg_comment_size, 10);
    EXPECT_EQ(0, std::memcmp(buf, "velmora!!!", 10));
    r.p->props.jpeg_comment_size = 4;
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_PARAMS_MEM), JPEG_ERR_COMMENT);
    EXPECT_EQ(r.p->props.jpeg_comment_size, 10);
}

TEST(JpegCheckParams, RefusesBadRecords) {
    auto d = baseline();
    Record r;
    r.memory(d);
    r.image(48, 40);
    for (int op : {22, -1, 8}) EXPECT_EQ(jpeg_read(r.p, op), JPEG_ERR_PARAMS) << op;
    r.p->image_data = nullptr;
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_QUARTER_MEM), JPEG_ERR_PARAMS);
    r.image(48, 40);
    r.p->stream_channels = 256;
    r.p->stream_color = JPEG_COLOR_OTHER;
    r.p->image_color = JPEG_COLOR_OTHER;
    r.p->props.operation = JPEG_OP_IMAGE_MEM;
    EXPECT_EQ(jpeg_check_params(r.p), 0);
    r.p->stream_channels = 257;
    EXPECT_EQ(jpeg_check_params(r.p), JPEG_ERR_PARAMS);
    r.p->use_low_level = 1;
    EXPECT_EQ(jpeg_check_params(r.p), 0);
    r.p->use_low_level = 0;
    r.p->stream_channels = 3, r.p->stream_color = JPEG_COLOR_YCBCR, r.p->image_color = JPEG_COLOR_RGB;
    r.p->image_sampling = 1;
    EXPECT_EQ(jpeg_check_params(r.p), JPEG_ERR_SUBSAMPLING);
    r.p->image_sampling = 0;
    r.p->image_width = 0;
    EXPECT_EQ(jpeg_check_params(r.p), JPEG_ERR_PARAMS);
    r.p->image_width = 48;
    r.p->stream_size = 0;
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), JPEG_ERR_PARAMS);
    r.p->stream_size = -20;
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), JPEG_ERR_PARAMS);
    r.p->stream_file = "/nonexistent/velmora/picture.jpg";
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_FILE), JPEG_ERR_FILE_NAME);
    r.p->props.idct_kind = 2;
    r.memory(d);
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), JPEG_ERR_PARAMS);
    r.p->props.idct_kind = 1;
    // A pair outside the table: an RGB stream into a gray image.
    r.p->stream_color = JPEG_COLOR_RGB;
    r.image(48, 40, JPEG_COLOR_GRAY, 1);
    EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_MEM), JPEG_ERR_PARAMS);
}

TEST(JpegStreamErrors, EachFaultGivesItsCode) {
    const auto good = baseline(48, 40, 2);
    const size_t sof = find_marker(good, 0xC0);
    const size_t sos = find_marker(good, 0xDA);
    const size_t dqt = find_marker(good, 0xDB);
    const size_t dht = find_marker(good, 0xC4);
    ASSERT_NE(sof, std::string::npos);
    auto patched = [&](size_t at, uint8_t v) {
        auto d = good;
        d[at] = v;
        return d;
    };
    EXPECT_EQ(read_memory(patched(1, 0xD9)), JPEG_ERR_NOT_JPEG);
    EXPECT_EQ(read_memory({'P', 'N', 'G', 0, 0}), JPEG_ERR_NOT_JPEG);
    EXPECT_EQ(read_memory(patched(sof + 1, 0xC3)), JPEG_ERR_UNSUPPORTED_FRAME);   // lossless
    EXPECT_EQ(read_memory(patched(sof + 1, 0xC9)), JPEG_ERR_UNSUPPORTED_FRAME);   // arithmetic
    EXPECT_EQ(read_memory(patched(sof + 4, 12)), JPEG_ERR_UNSUPPORTED_FRAME);     // 12-bit samples
    EXPECT_EQ(read_memory(patched(sof + 9, 5)), JPEG_ERR_COMP);                   // five components
    EXPECT_EQ(read_memory(patched(sof + 11, 0x52)), JPEG_ERR_SOF);                // factor 5
    EXPECT_EQ(read_memory(patched(sof + 11, 0x20)), JPEG_ERR_SOF);                // factor 0
    {
        auto d = patched(sof + 5, 0);
        d[sof + 6] = 0;
        EXPECT_EQ(read_memory(d), JPEG_ERR_DNL);                                   // height by DNL
    }
    EXPECT_EQ(read_memory(patched(sos + 6, 0x33)), JPEG_ERR_NO_HUFFMAN);          // tables never defined
    EXPECT_EQ(read_memory(patched(dqt + 4, 0x04)), JPEG_ERR_BAD_QUANT);           // Tq 4
    EXPECT_EQ(read_memory(patched(dht + 4, 0x20)), JPEG_ERR_BAD_HUFFMAN);         // class 2
    {
        auto d = patched(dht + 5, 200);   // counts ask for more codes than length 1 holds
        EXPECT_LT(read_memory(d), 0);
    }
    {   // SOS before any SOF
        auto d = good;
        d.erase(d.begin() + ptrdiff_t(sof), d.begin() + ptrdiff_t(segment_end(good, sof)));
        EXPECT_EQ(read_memory(d), JPEG_ERR_NO_FRAME);
    }
    {   // a quantisation table that was never defined
        auto d = good;
        d[sof + 12] = 3;
        EXPECT_EQ(read_memory(d), JPEG_ERR_NO_QUANT);
    }
    {   // the data end inside the entropy-coded data: the same code from memory as from a file
        std::vector<uint8_t> d(good.begin(), good.end() - 40);
        EXPECT_EQ(read_memory(d), JPEG_ERR_EOF);
    }
    {   // a file that ends before its EOI
        std::vector<uint8_t> d(good.begin(), good.end() - 40);
        std::string path = temp_file("short.jpg", d);
        Record r;
        r.p->stream_file = path.c_str();
        r.image(48, 40);
        EXPECT_EQ(jpeg_read(r.p, JPEG_OP_IMAGE_FILE), JPEG_ERR_EOF);
        EXPECT_LT(r.p->props.stream.file, 0);   // a failure closes the file
    }
    {   // a restart interval segment shorter than its value
        std::vector<uint8_t> dri = {0xFF, 0xDD, 0, 3, 0};
        auto d = good;
        d.insert(d.begin() + ptrdiff_t(sof), dri.begin(), dri.end());
        EXPECT_EQ(read_memory(d), JPEG_ERR_DATA);
    }
    {   // a second frame header after a scan
        auto prog = baseline(48, 40, 2, true);
        size_t f = find_marker(prog, 0xC2);
        size_t second = find_marker(prog, 0xDA, find_marker(prog, 0xDA) + 2);
        std::vector<uint8_t> sof0(prog.begin() + ptrdiff_t(f), prog.begin() + ptrdiff_t(segment_end(prog, f)));
        sof0[1] = 0xC0;
        size_t at = find_marker(prog, 0xC4, find_marker(prog, 0xDA) + 2);
        if (at == std::string::npos || at > second) at = second;
        prog.insert(prog.begin() + ptrdiff_t(at), sof0.begin(), sof0.end());
        EXPECT_EQ(read_memory(prog), JPEG_ERR_MULTIPLE_FRAMES);
    }
    {   // progressive scan parameters out of range
        auto prog = baseline(48, 40, 2, true);
        size_t s = find_marker(prog, 0xDA);
        size_t len = size_t(prog[s + 2]) << 8 | prog[s + 3];
        prog[s + 2 + len - 1] = 0x0E;   // Al 14
        EXPECT_EQ(read_memory(prog), JPEG_ERR_DATA);
    }
}

TEST(JpegErrorText, FixedTexts) {
    EXPECT_STREQ(jpeg_error_text(0), "Success");
    EXPECT_STREQ(jpeg_error_text(1), "Interrupt Success");
    EXPECT_STREQ(jpeg_error_text(2), "ROI Success");
    EXPECT_STREQ(jpeg_error_text(-8), "Invalid JPEG_PROPERTIES");
    EXPECT_STREQ(jpeg_error_text(-29), "Unsupported frame was found");
    EXPECT_STREQ(jpeg_error_text(-30), "Error access to jpeg_comment buffer");
    EXPECT_STREQ(jpeg_error_text(-31), "Frame too large");
    EXPECT_STREQ(jpeg_error_text(-32), "Unknown error code");
    EXPECT_STREQ(jpeg_error_text(-99), "Reserved");
    EXPECT_STREQ(jpeg_error_text(3), "Unknown error code");
    const auto* v = jpeg_lib_version();   // (jpeglib.h makes the record's name a macro)
    EXPECT_EQ(v->major, 2);
    EXPECT_EQ(v->minor, 10);
    EXPECT_EQ(v->build, 3);
    EXPECT_STREQ(v->internal_version, "[2.10.3.17]");
}

TEST(JpegRead, WidestPictureDecodes) {
    // 65535 columns: the reference writes at most 65500, so its frame is widened;
    // the data end early (-11) and the missing columns are filled.
    Vorgabe s;
    s.width = 65500, s.height = 1, s.h0 = 1, s.v0 = 1;
    auto d = oracle::encode(s);
    oracle::Image ref = oracle::decode(d);
    size_t sof = find_marker(d, 0xC0);
    d[sof + 7] = 0xFF, d[sof + 8] = 0xFF;
    jtest::Decoded got = jtest::decode(d);
    ASSERT_EQ(got.result, JPEG_ERR_EOF);
    EXPECT_EQ(got.width, 65535);
    jtest::Diff diff = jtest::compare({got.px.begin(), got.px.begin() + 8 * 3}, {ref.px.begin(), ref.px.begin() + 24});
    EXPECT_LE(diff.max, 4);
}

}  // namespace
