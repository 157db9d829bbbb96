#include <elf.h>
#include <gtest/gtest.h>
#include <link.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "TestSupport.h"
#include "app/BundleResources.h"
#include "controls/Canvas.h"
#include "platform/CodeModule.h"
#include "platform/FolderItem.h"
#include "platform/MediaBackend.h"
#include "ui/Window.h"

namespace fs = std::filesystem;

namespace {

const char* const kSound = "529816__tumvik__dice-shake.wav";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Bytes this process has read from files so far, holes of sparse files included.
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;) {
        long long value = 0;
        io >> value;
        if (key == "rchar:") return value;
    }
    ADD_FAILURE() << "no rchar in /proc/self/io";
    return 0;
}

// The bytes as gzip writes them.
std::string Gzip(const std::string& bytes) {
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    // qCompress gives a length, a zlib header and an Adler checksum around the deflate stream.
    const QByteArray zlib = qCompress(QByteArray::fromStdString(bytes), 9);
    std::string gzip("\x1f\x8b\x08\0\0\0\0\0\x02\xff", 10);
    gzip += zlib.mid(6, zlib.size() - 10).toStdString();
    for (std::uint32_t value : {crc, static_cast<std::uint32_t>(bytes.size())}) {
        for (int i = 0; i < 4; ++i) gzip += static_cast<char>(value >> (8 * i));
    }
    return gzip;
}

// The pieces made for 0 to times - 1, one after another.
std::string Repeated(int times, const std::function<std::string(int)>& piece) {
    std::string all;
    for (int i = 0; i < times; ++i) all += piece(i);
    return all;
}

std::string Repeated(const std::string& text, int times) {
    return Repeated(times, [&](int) { return text; });
}

// Where a module's loadable segments end: the loader reads nothing of the file past them.
std::size_t LoadableEnd(const std::string& module) {
    ElfW(Ehdr) header{};
    std::memcpy(&header, module.data(), sizeof header);
    std::size_t end = 0;
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment{};
        std::memcpy(&segment, module.data() + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD) end = std::max(end, segment.p_offset + segment.p_filesz);
    }
    return end;
}

// A grey picture of that size as a PNG file.
std::string Png(int width, int height) {
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(0x80);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes.toStdString();
}

std::string BigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// A PNG file of these chunks, each a type and its contents, with lengths and good checksums.
std::string PngOf(const std::vector<std::pair<std::string, std::string>>& chunks) {
    std::string file = "\x89PNG\r\n\x1a\n";
    for (const auto& [type, contents] : chunks) {
        const std::string typed = type + contents;
        file += BigEndian(static_cast<std::uint32_t>(contents.size())) + typed;
        file += BigEndian(static_cast<std::uint32_t>(crc32(
            0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
    }
    return file;
}

// A PNG header: width, height, bit depth and colour type, standard methods.
std::string PngHeader(std::uint32_t width, std::uint32_t height, char depth, char colourType) {
    return BigEndian(width) + BigEndian(height) + depth + colourType + std::string(3, '\0');
}

// An 8x8 grey picture whose every chunk is whole and checked, with the image data given.
std::string GreyPngWith(const std::string& imageData) {
    return PngOf({{"IHDR", PngHeader(8, 8, 8, 0)}, {"IDAT", imageData}, {"IEND", ""}});
}

// A number as short as it can be written.
std::string Number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// An SVG picture of that frame (the svg element's attributes) and those elements.
std::string Svg(const std::string& frame, const std::string& elements) {
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' " +
           frame + ">" + elements + "</svg>";
}

// The processor time this thread takes to draw the picture once on the largest canvas of the
// game: a busy machine lengthens the wall-clock time, not this.
double ProcessorMsToDraw(const Picture& picture) {
    QImage canvas(292, 232, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    picture.Draw(painter);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
           static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

// Root may open any folder; what a user may not do is tried as nobody while one lives.
class AsUnprivileged {
  public:
    AsUnprivileged() {
        if (root_) {
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~AsUnprivileged() {
        if (root_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;

  private:
    const bool root_ = ::geteuid() == 0;
};

}  // namespace

TEST(BundleResources, APictureIsReadOnceAndThenShared) {
    BundleCopy bundle({"DDice3.svg"});
    Ref<Picture> first = DDice3();
    ASSERT_FALSE(first.IsNil());
    fs::remove(bundle.Resources() / "DDice3.svg");
    EXPECT_EQ(DDice3().Get(), first.Get()) << "a kept picture is not read again";
    EXPECT_NE(first->Bytes().find("<svg"), std::string::npos);
}

TEST(BundleResources, AMissingPictureIsTriedAgainUntilItLoads) {
    BundleCopy bundle({});
    EXPECT_TRUE(DDice2().IsNil());
    EXPECT_TRUE(DDice2().IsNil());
    bundle.Add("DDice2.svg");
    Ref<Picture> loaded = DDice2();
    ASSERT_FALSE(loaded.IsNil());
    fs::remove(bundle.Resources() / "DDice2.svg");
    EXPECT_EQ(DDice2().Get(), loaded.Get());
}

TEST(BundleResources, EveryPictureOfTheBundleLoads) {
    for (auto accessor : {&QuorvaneUpdatedLogosmall, &dicesSmall2, &DDice1, &DDice2, &DDice3,
                          &DDice4, &DDice5, &DDice6}) {
        Ref<Picture> picture = accessor();
        ASSERT_FALSE(picture.IsNil());
        EXPECT_EQ(picture->GetFormat(), Picture::Format::Svg);
    }
}

TEST(BundleResources, TheSoundIsFoundInResourcesAndKept) {
    Ref<Sound> sound = diceshake();
    ASSERT_FALSE(sound.IsNil());
    EXPECT_EQ(fs::path(sound->Path()).filename(), kSound);
    EXPECT_EQ(fs::path(sound->Path()).parent_path().filename(), "Resources");
    EXPECT_EQ(diceshake().Get(), sound.Get());
}

// Without a Resources folder that it can use, the bundle has no pictures and no sound: one line
// says why, for the folder, rather than one for each file in it.
TEST(BundleResources, WithoutAUsableResourcesFolderTheSoundIsNilForGoodAndTheFolderIsReportedOnce) {
    const struct {
        const char* name;
        bool folder;
        const char* why;
    } kCases[] = {
        {"no folder", false, " missing: "},
        {"unreadable folder", true, " unusable: cannot be read (Permission denied)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        BundleCopy bundle({}, c.folder);
        app::diceshake::loaded = false;
        if (c.folder) fs::permissions(bundle.Resources(), fs::perms::none);
        testing::internal::CaptureStderr();
        {
            const AsUnprivileged user;
            EXPECT_TRUE(_GetApplicationBundleResources().IsNil());
            EXPECT_TRUE(diceshake().IsNil());
            EXPECT_TRUE(DDice1().IsNil());
        }
        const std::vector<std::string> printed = Lines(testing::internal::GetCapturedStderr());
        ASSERT_EQ(printed.size(), 1U) << testing::PrintToString(printed);
        EXPECT_NE(printed[0].find(bundle.Resources().string() + c.why), std::string::npos)
            << printed[0];
        fs::create_directories(bundle.Resources());
        fs::permissions(bundle.Resources(), fs::perms::owner_all);
        bundle.Add(kSound);
        EXPECT_TRUE(diceshake().IsNil()) << "one attempt per run";
    }
}

// The player takes a sound's header on trust: a sound passes only when the player can play it and
// its header tells the truth about the file. Why not is said once.
TEST(BundleResources, OnlyPlayableSoundsWhoseHeaderHoldsPass) {
    BundleCopy bundle({kSound});
    const std::string ours = Read(bundle.Resources() / kSound);
    ASSERT_EQ(ours.substr(12, 4), "fmt ");
    ASSERT_EQ(ours.substr(36, 4), "data");
    auto lie = [&](std::size_t at, std::size_t value, std::size_t keep = std::string::npos) {
        std::string bytes = ours.substr(0, keep);
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        const char* why;  // none for a sound that passes
    } kSounds[] = {
        {"ours", ours, nullptr},
        {"text", "not a sound at all", "not an uncompressed PCM WAV"},
        {"float",
         std::string("RIFF\x24\0\0\0WAVEfmt "
                     "\x10\0\0\0\x03\0\x01\0\x44\xac\0\0\x10\xb1\x02\0\x04\0\x20\0data\0\0\0\0",
                     44),
         "not an uncompressed PCM WAV"},
        {"cut inside fmt", lie(4, 22, 30), "its \"fmt \" chunk is cut short"},
        {"data beyond the file", lie(40, ours.size()), "its \"data\" chunk is cut short"},
        {"longer than the file", lie(4, ours.size()), "shorter than it says"},
        {"sample rate 0", lie(24, 0), "a sample rate of 0 Hz"},
    };
    for (const auto& sound : kSounds) {
        SCOPED_TRACE(sound.name);
        const std::string file = std::string(sound.name) + ".wav";
        Write(bundle.Resources() / file, sound.bytes);
        testing::internal::CaptureStderr();
        const Ref<Sound> opened = FolderItem(bundle.Resources() / file).OpenAsSound();
        const std::vector<std::string> printed = Lines(testing::internal::GetCapturedStderr());
        EXPECT_EQ(opened.IsNil(), sound.why != nullptr);
        if (sound.why == nullptr) {
            EXPECT_TRUE(printed.empty()) << testing::PrintToString(printed);
            continue;
        }
        ASSERT_EQ(printed.size(), 1U) << testing::PrintToString(printed);
        EXPECT_NE(printed[0].find("sound " + file + " unusable: "), std::string::npos)
            << printed[0];
        EXPECT_NE(printed[0].find(sound.why), std::string::npos) << printed[0];
    }
}

// A link for the sound that leads nowhere is a missing sound: a roll without it, not a failure.
TEST(BundleResources, ABrokenLinkForTheSoundGivesNilForGoodAndSaysSoOnce) {
    BundleCopy bundle({});
    fs::create_symlink(bundle.Resources() / "nowhere.wav", bundle.Resources() / kSound);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(diceshake().IsNil());
    fs::remove(bundle.Resources() / kSound);
    bundle.Add(kSound);
    EXPECT_TRUE(diceshake().IsNil()) << "one attempt per run";
    EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()),
              std::vector<std::string>{"Dice Shaker: sound " + std::string(kSound) +
                                       " missing: the link leads nowhere"});
}

// Whatever stands in place of a picture, the sound or the media module gives nil, at once and
// without an exception, and a picture or the sound is named on stderr the first time it is asked
// for. Nothing is read of a file that its size refuses, and nothing costs more than its kind may.
TEST(BundleResources, DamagedFilesGiveNilAndAreReportedOnceByName) {
    BundleCopy bundle({});
    const fs::path resources = bundle.Resources();
    std::string problem;
    auto write = [](std::string bytes) { return [bytes](const fs::path& p) { Write(p, bytes); }; };
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>";
    const struct {
        const char* name;  // with an extension, for pictures of that kind alone
        std::function<void(const fs::path&)> make;
        const char* pictureWhy;
        const char* soundWhy;
        const char* moduleWhy;
    } kDamage[] = {
        {"directory", [](const fs::path& p) { fs::create_directory(p); }, "is a directory",
         "is a directory", "is a directory"},
        {"fifo", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         "is a named pipe", "is a named pipe", "is a named pipe"},
        {"dangling", [](const fs::path& p) { fs::create_symlink(p.string() + ".gone", p); },
         "missing: the link leads nowhere", "missing: the link leads nowhere",
         "missing: the link leads nowhere"},
        {"loop", [](const fs::path& p) { fs::create_symlink(p.filename(), p); }, "circle", "circle",
         "circle"},
        {"zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, "is a device",
         "is a device", "is a device"},
        {"empty", write(""), "empty", "empty", "empty"},
        {"garbage", write(std::string(3000, '\x9c')), "cannot be decoded",
         "not an uncompressed PCM WAV", "no ELF header"},
        {"huge",
         [](const fs::path& p) {
             Write(p, "");
             fs::resize_file(p, 1LL << 30);  // sparse: it costs no disk
         },
         "too big (1073741824 bytes", "too big (1073741824 bytes", "too big (1073741824 bytes"},
        {"compressed.svg", write(Gzip(svg + std::string(1 << 20, ' ') + "</svg>")), "compressed",
         nullptr, nullptr},
        {"elements.svg",
         write(svg + Repeated("<rect x='1' y='1' width='2' height='2'/>", 150000) + "</svg>"),
         "too big", nullptr, nullptr},
        {"drawsafile.svg",
         [svg](const fs::path& p) {
             ASSERT_EQ(::mkfifo((p.string() + ".pipe").c_str(), 0600), 0);
             Write(p, svg + "<image width='5' height='5' href='" + p.string() + ".pipe'/></svg>");
         },
         "holds <image>", nullptr, nullptr},
        {"pixels.png", write(Png(4096, 4096)), "too many pixels (4096x4096", nullptr, nullptr},
        {"cut.png", write(Png(64, 64).substr(0, 60)), "damaged (cut short)", nullptr, nullptr},
        // The rest pass the chunk walk that the PNG library would complain of past us, or let a
        // size through that it would take.
        {"idatsum.png",
         [](const fs::path& p) {
             std::string png = Png(64, 64);
             const std::size_t end = png.find("IEND") - 4;  // the IDAT checksum ends here
             png[end - 1] = static_cast<char>(png[end - 1] ^ 1);
             Write(p, png);
         },
         "its IDAT chunk fails its checksum", nullptr, nullptr},
        // 65536 x 65552 is 2^20 pixels once it wraps round 32 bits.
        {"wraps.png", write(PngOf({{"IHDR", PngHeader(65536, 65552, 8, 0)}, {"IEND", ""}})),
         "too many pixels (65536x65552", nullptr, nullptr},
        {"blocktype.png", write(GreyPngWith(std::string("\x78\x9c\x07\0\0\0", 6))),
         "compressed image is corrupt", nullptr, nullptr},
        {"shortdata.png",
         write(GreyPngWith(qCompress(QByteArray(8 * 9 - 1, '\0')).mid(4).toStdString())),
         "less image data", nullptr, nullptr},
        {"nopalette.png",
         write(PngOf({{"IHDR", PngHeader(8, 8, 8, 3)},
                      {"IDAT", qCompress(QByteArray(8 * 9, '\0')).mid(4).toStdString()},
                      {"IEND", ""}})),
         "no palette", nullptr, nullptr},
        {"depth3.png", write(PngOf({{"IHDR", PngHeader(1024, 1, 3, 0)}, {"IEND", ""}})),
         "bit depth 3", nullptr, nullptr},
    };
    for (const auto& damage : kDamage) {
        SCOPED_TRACE(damage.name);
        const fs::path name(damage.name);
        const std::string picture = name.has_extension() ? name.string() : name.string() + ".svg";
        const std::string sound = name.string() + ".wav";
        const std::string module = name.string() + ".so";
        damage.make(resources / picture);
        if (damage.soundWhy) damage.make(resources / sound);
        if (damage.moduleWhy) damage.make(resources / module);
        const long long readBefore = BytesRead();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(Picture::_OpenFromApp(name.stem()).IsNil());
        EXPECT_TRUE(Picture::_OpenFromApp(name.stem()).IsNil()) << "tried again, said once";
        if (damage.soundWhy) {
            EXPECT_TRUE(FolderItem(resources / sound).OpenAsSound().IsNil());
        }
        const std::vector<std::string> printed = Lines(testing::internal::GetCapturedStderr());
        if (damage.moduleWhy) {
            EXPECT_FALSE(CodeModule::Open(FolderItem(resources / module), problem));
            EXPECT_NE(problem.find(damage.moduleWhy), std::string::npos) << problem;
        }
        EXPECT_LT(BytesRead() - readBefore, 1 << 20) << "read more than any file here may hold";
        ASSERT_EQ(printed.size(), damage.soundWhy ? 2U : 1U) << testing::PrintToString(printed);
        const std::string pictureLine = "Dice Shaker: picture " + picture + " ";
        EXPECT_EQ(printed[0].rfind(pictureLine, 0), 0U) << printed[0];
        EXPECT_NE(printed[0].find(damage.pictureWhy, pictureLine.size()), std::string::npos)
            << printed[0];
        if (!damage.soundWhy) continue;
        const std::string soundLine = "Dice Shaker: sound " + sound + " ";
        EXPECT_EQ(printed[1].rfind(soundLine, 0), 0U) << printed[1];
        EXPECT_NE(printed[1].find(damage.soundWhy, soundLine.size()), std::string::npos)
            << printed[1];
    }
}

// The loader maps what a module's headers say and trusts them: a module cut short would end the
// game with SIGBUS. A module is taken only when it was built for this machine and its headers
// and segments lie inside the file, whatever its size up to the cap; what is loaded is the file
// that was checked, even once its path names another file.
TEST(BundleResources, AModuleLoadsOnlyWhenItsHeadersHoldAndAsItWasChecked) {
    const std::string built = Read(fs::path(DICE_TEST_EXECUTABLE).parent_path().parent_path() /
                                   "PlugIns" / kMediaBackendModule);
    ASSERT_GT(built.size(), 16384U);
    ASSERT_LT(built.size(), 3U << 20);
    auto patched = [&](std::size_t at, std::initializer_list<unsigned char> bytes) {
        std::string module = built;
        for (unsigned char byte : bytes) module[at++] = static_cast<char>(byte);
        return module;
    };
    const struct {
        const char* name;
        std::string bytes;
        const char* why;  // none for a module that loads
    } kModules[] = {
        {"ours", built, nullptr},
        // Larger than a sound may be, well inside what a module may be.
        {"ours, padded to 3 MiB", built + std::string((3U << 20) - built.size(), '\0'), nullptr},
        {"cut at 4096", built.substr(0, 4096), "cut short"},
        {"cut at 16384", built.substr(0, 16384), "cut short"},
        {"cut one byte into its last segment", built.substr(0, LoadableEnd(built) - 1),
         "cut short"},
        // What follows the segments (symbols, debugging data) is never read by the loader.
        {"cut right after its last segment", built.substr(0, LoadableEnd(built)), nullptr},
        {"cut inside its header", built.substr(0, 40), "cut short"},
        {"for aarch64", patched(EI_NIDENT + 2, {EM_AARCH64, 0}), "built for aarch64"},
        {"for 32 bits", patched(EI_CLASS, {ELFCLASS32}), "built for a 32-bit machine"},
        {"a program", patched(EI_NIDENT, {ET_EXEC, 0}), "not a shared library"},
    };
    BundleCopy bundle({});
    for (const auto& module : kModules) {
        SCOPED_TRACE(module.name);
        const fs::path file = bundle.Resources() / (std::string(module.name) + ".so");
        Write(file, module.bytes);
        std::string problem;
        std::optional<CodeModule> checked = CodeModule::Open(FolderItem(file), problem);
        if (module.why != nullptr) {
            EXPECT_FALSE(checked);
            EXPECT_NE(problem.find(module.why), std::string::npos) << problem;
            continue;
        }
        ASSERT_TRUE(checked) << problem;
        // Between the check and the load, the path comes to name another file.
        Write(bundle.Resources() / "swapped.so", "not a module");
        fs::rename(bundle.Resources() / "swapped.so", file);
        EXPECT_NE(checked->Load(kMediaBackendEntry, problem), nullptr) << problem;
    }
}

// Whatever an SVG file holds, a picture that passes its checks takes a few milliseconds of
// processor time to draw at its canvas's size; each of these took the SVG reader from half a
// second to minutes, and is refused. The pictures at the edge of every limit are drawn.
TEST(BundleResources, APictureThatPassesItsChecksCostsLittleToDraw) {
    const auto zigzag = [&](int corners, double low, double high, double step) {
        return "M0 0" + Repeated(corners, [&](int i) {
                   return "L" + Number(i % 2 ? low : high) + " " + Number(i * step);
               });
    };
    const std::string frame = "width='292' height='232' viewBox='0 0 100 100'";
    const std::string radial =
        "<defs><radialGradient id='r' r='0.5'><stop offset='0' stop-color='#fff'/>"
        "<stop offset='1' stop-color='#00f'/></radialGradient></defs>";
    const struct {
        const char* name;
        std::string svg;
        const char* why;  // none for a picture that is drawn
    } kPictures[] = {
        {"text wrapped one letter a line",
         Svg("width='100' height='100' viewBox='0 0 100 100'",
             "<textArea x='0' y='0' width='0.5' height='1e9' font-size='100'>" +
                 std::string(64000, 'W') + "</textArea>"),
         "holds <textArea>"},
        {"a line of 60,000 letters",
         Svg(frame, "<text x='0' y='50' font-size='10'>" + std::string(60000, 'W') + "</text>"),
         "more than 256 characters of text"},
        {"references that multiply",
         Svg(frame, "<defs><g id='a0'><rect width='100' height='100'/></g>" +
                        Repeated(9,
                                 [&](int i) {
                                     return "<g id='a" + std::to_string(i + 1) + "'>" +
                                            Repeated(10,
                                                     [&](int) {
                                                         return "<use xlink:href='#a" +
                                                                std::to_string(i) + "'/>";
                                                     }) +
                                            "</g>";
                                 }) +
                        "</defs><use xlink:href='#a9'/>"),
         "holds <use>"},
        {"a filled zigzag a million points wide",
         Svg(frame, "<path d='" + zigzag(1500, -1e6, 1e6, 0.06) + "'/>"), "far outside"},
        {"circles a million points across",
         Svg(frame, Repeated(1500,
                             [](int i) {
                                 return "<circle cx='" + std::to_string(i % 100) +
                                        "' cy='50' r='1e6'/>";
                             })),
         "far outside"},
        {"a zigzag magnified ten thousand times",
         Svg(frame,
             "<g transform='scale(1e4)'><path d='" + zigzag(2500, 0, 0.01, 4e-6) + "'/></g>"),
         "more than 16 times up or down"},
        {"a frame of a hundredth of a point",
         Svg("width='100' height='100' viewBox='0 0 0.01 0.01'",
             "<path d='" + zigzag(2500, 0, 0.01, 4e-6) + "'/>"),
         "more than 16 times up or down"},
        {"a stroke ten thousand wide",
         Svg(frame, "<path fill='none' stroke='#000' stroke-width='1e4' d='" +
                        zigzag(2000, 0, 100, 0.05) + "'/>"),
         "strokes too wide"},
        {"a stroke wider than a pen may be",
         Svg(frame, "<line x1='0' y1='0' x2='9' y2='9' stroke='#000' stroke-width='1e30'/>"),
         "strokes too wide"},
        {"corners that reach for ever",
         Svg(frame, "<path fill='none' stroke='#000' stroke-miterlimit='1e30' d='" +
                        zigzag(2000, 0, 100, 0.001) + "'/>"),
         "miter limit"},
        {"a million dashes",
         Svg(frame, Repeated(600,
                             [](int i) {
                                 return "<circle cx='50' cy='50' r='" + std::to_string(i % 50) +
                                        "' fill='none' stroke='#000' stroke-dasharray='0.01'/>";
                             })),
         "stroke-dasharray"},
        {"an outline of 7,000 corners",
         Svg(frame, "<polygon points='" +
                        Repeated(7000,
                                 [](int i) {
                                     return std::to_string(i % 97) + "," +
                                            std::to_string(i * 7 % 89) + " ";
                                 }) +
                        "'/>"),
         "more than 2000 path segments"},
        {"an outline that meets a line across a hundred times",
         Svg(frame,
             "<path d='M0 0" +
                 Repeated(100,
                          [](int i) { return "L" + std::to_string(i) + (i % 2 ? " 100" : " 0"); }) +
                 "'/>"),
         "edges of one outline across any line"},
        {"text in 300 sizes",
         Svg(frame, "<text x='0' y='50'>" +
                        Repeated(300,
                                 [](int i) {
                                     return "<tspan font-size='" + std::to_string(i + 1) +
                                            "'>W</tspan>";
                                 }) +
                        "</text>"),
         "sizes of text"},
        {"text in 2,000 places",
         Svg(frame, Repeated(2000,
                             [](int i) {
                                 return "<text x='" + std::to_string(i % 97) + "' y='" +
                                        std::to_string(i * 7 % 89) + "'>W</text>";
                             })),
         "pieces of text"},
        {"text that runs both ways", Svg(frame, "<text x='0' y='50'>W\u05d0W\u05d0</text>"),
         "other than Latin (U+5D0)"},
        {"gradients that lead round in a circle",
         Svg(frame,
             "<defs><linearGradient id='a' xlink:href='#b'/><linearGradient id='b' "
             "xlink:href='#a'/></defs><rect width='9' height='9' fill='url(#a)'/>"),
         "xlink:href"},
        {"paint from nowhere", Svg(frame, "<rect width='9' height='9' fill='url(#nowhere)'/>"),
         "Could not resolve property"},
        {"the picture a thousand times over in gradients",
         Svg(frame, radial + Repeated(1000,
                                      [](int) {
                                          return "<rect width='100' height='100' fill='url(#r)'/>";
                                      })),
         "more than 64 times its area in shapes"},
        {"a thousand translucent groups",
         Svg(frame,
             Repeated(1000,
                      [](int) { return "<g opacity='0.5'><rect width='100' height='100'/></g>"; })),
         "times its area in shapes"},
        {"a picture 20,000 points across", Svg("width='20000' height='20000'", ""),
         "more than 2048 a side"},
        {"style sheets", Svg(frame, "<style>* { stroke-dasharray: 0.01 }</style>"),
         "holds <style>"},
        {"entities",
         "<!DOCTYPE svg [<!ENTITY a 'aaaaaaaaaa'>]>" + Svg(frame, "<text>&a;&a;</text>"),
         "document type"},
        // At the edge of every limit:
        {"2000 segments in outlines as dense as they may be",
         Svg(frame, Repeated(62,
                             [&](int k) {
                                 return "<path d='M" + Number(k * 1.6) + " 0" +
                                        Repeated(32,
                                                 [&](int i) {
                                                     return "L" + Number(k * 1.6 + i * 0.05) +
                                                            (i % 2 ? " 0" : " 100");
                                                 }) +
                                        "'/>";
                             })),
         nullptr},
        {"the picture 31 times over in gradients",
         Svg(frame, radial + Repeated(31,
                                      [](int) {
                                          return "<rect width='100' height='100' fill='url(#r)' "
                                                 "fill-opacity='0.5'/>";
                                      })),
         nullptr},
        {"256 letters in 32 pieces, 4 fonts and 16 sizes",
         Svg(frame, Repeated(32,
                             [](int i) {
                                 return "<text x='" + std::to_string(i % 10 * 9) + "' y='" +
                                        std::to_string(i * 3) + "' font-family='F" +
                                        std::to_string(i % 4) + "' font-size='" +
                                        std::to_string(10 + i % 16) + "'>WWWWWWWW</text>";
                             })),
         nullptr},
        {"1998 shapes",
         Svg(frame, Repeated(1998,
                             [](int i) {
                                 return "<circle cx='" + std::to_string(i % 100) + "' cy='" +
                                        std::to_string(i * 7 % 100) + "' r='3'/>";
                             })),
         nullptr},
    };
    for (const auto& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        ASSERT_LE(picture.svg.size(), Picture::kMaxFileBytes);
        std::string problem;
        testing::internal::CaptureStderr();
        const Ref<Picture> decoded = Picture::FromBytes(picture.svg, Picture::Format::Svg, problem);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        if (picture.why != nullptr) {
            EXPECT_TRUE(decoded.IsNil());
            EXPECT_NE(problem.find(picture.why), std::string::npos) << problem;
            continue;
        }
        ASSERT_FALSE(decoded.IsNil()) << problem;
        EXPECT_LT(ProcessorMsToDraw(*decoded), 150);
    }
    for (auto accessor : {&QuorvaneUpdatedLogosmall, &dicesSmall2, &DDice1, &DDice6}) {
        EXPECT_LT(ProcessorMsToDraw(*accessor()), 20);
    }
}

// A picture may claim any size; it is drawn only as far as its canvas reaches. What Qt's reader
// says about a picture that can be used (here, a link to nothing) is no concern of the user's.
TEST(BundleResources, AnOversizedPictureIsDrawnOnlyAsFarAsItsCanvas) {
    testing::internal::CaptureStderr();
    std::string problem;
    Ref<Picture> huge = Picture::FromBytes(Svg("width='2000' height='2000' viewBox='0 0 200 200'",
                                               "<rect width='200' height='200' fill='#ff0000'/>"),
                                           Picture::Format::Svg, problem);
    ASSERT_FALSE(huge.IsNil()) << problem;
    EXPECT_EQ(huge->Size(), QSize(2000, 2000));
    auto window = MakeRef<Window>();
    window->Constructor();
    auto canvas = RuntimeCheckCast<Canvas>(window->__New(Canvas::Class()));
    canvas->Constructor();
    canvas->SetWidth(120);
    canvas->SetHeight(90);
    canvas->SetBackdrop(huge);
    const long before = PeakResidentKb();
    const QImage drawn = canvas->View()->grab().toImage();
    EXPECT_LT(PeakResidentKb() - before, 8 * 1024) << "drawn at the size it claims";
    EXPECT_EQ(drawn.size(), QSize(120, 90) * drawn.devicePixelRatio());
    EXPECT_EQ(drawn.pixelColor(60, 45), QColor(Qt::red));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(BundleResources, OnlyUncompressedPcmWavesPassAsSounds) {
    BundleCopy bundle({kSound});
    EXPECT_FALSE(FolderItem(bundle.Resources() / kSound).OpenAsSound().IsNil());
    std::ofstream(bundle.Resources() / "text.wav") << "not a sound at all";
    EXPECT_TRUE(FolderItem(bundle.Resources() / "text.wav").OpenAsSound().IsNil());
    EXPECT_TRUE(FolderItem(bundle.Resources() / "absent.wav").OpenAsSound().IsNil());
}
