// The in-memory RIFF reader: what it finds in WAVE files laid out in different
// ways, and that no damage to a file makes it read outside the file.
#include "sound/wave_reader.hpp"
#include "wave_bytes.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace wave_bytes;
using sound::read_wave;

namespace {

// A file with a named LIST of odd size (so padded) before "fmt ", and an unknown
// chunk between "fmt " and "data".
Bytes sample_file() {
    return riff({chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'x'}),
                 chunk("fmt ", pcm_format(22050, 16)), chunk("fact", Bytes{1, 2, 3}),
                 chunk("data", samples(21))});
}

// The reader on a heap copy of exactly the file's size, so that the sanitizer
// catches any read past its end.
bool reads(const Bytes& file) {
    auto copy = std::make_unique<uint8_t[]>(file.size());
    std::copy(file.begin(), file.end(), copy.get());
    return read_wave({copy.get(), file.size()}).has_value();
}

TEST(WaveReader, ReadsTheFormatAndFindsTheSamplesPastOtherChunks) {
    const Bytes file = sample_file();
    auto wave = read_wave(file);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format.format_tag, 1);
    EXPECT_EQ(wave->format.channels, 1);
    EXPECT_EQ(wave->format.samples_per_second, 22050u);
    EXPECT_EQ(wave->format.average_bytes_per_second, 44100u);
    EXPECT_EQ(wave->format.block_align, 2);
    EXPECT_EQ(wave->format.bits_per_sample, 16);
    ASSERT_EQ(wave->samples.size(), 21u);
    EXPECT_EQ(Bytes(wave->samples.begin(), wave->samples.end()), samples(21));
    EXPECT_EQ(wave->samples.data() + 21 + 1, file.data() + file.size()) << "the data ends the file";
}

TEST(WaveReader, FindsTheWaveFormAmongOtherTopLevelChunks) {
    const Bytes file =
        join({chunk("JUNK", Bytes{0, 0, 0}), riff({chunk("fmt ", pcm_format(8000, 8))}, "AVI "),
              riff({chunk("fmt ", pcm_format(44100, 8)), chunk("data", samples(4))})});
    auto wave = read_wave(file);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format.samples_per_second, 44100u);
    EXPECT_EQ(wave->samples.size(), 4u);
}

TEST(WaveReader, RefusesFilesWithoutTheChunksItLooksFor) {
    const Bytes fmt = chunk("fmt ", pcm_format(22050, 8));
    const Bytes data = chunk("data", samples(8));
    Bytes short_format = pcm_format(22050, 8);
    short_format.resize(14);
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"empty", {}},
        {"no RIFF chunk", join({fmt, data})},
        {"another form", riff({fmt, data}, "AVI ")},
        {"no form at all", chunk("RIFF", Bytes{'W', 'A'})},
        {"no fmt", riff({data})},
        {"no data", riff({fmt})},
        {"data before fmt", riff({data, fmt})},
        {"fmt too short for the format", riff({chunk("fmt ", short_format), data})},
    };
    for (const auto& [what, file] : files)
        EXPECT_FALSE(reads(file)) << what;
}

TEST(WaveReader, RefusesEveryTruncatedFile) {
    const Bytes file = sample_file();
    ASSERT_TRUE(reads(file));
    for (size_t length = 0; length < file.size(); ++length)
        EXPECT_FALSE(reads(Bytes(file.begin(), file.begin() + length))) << length << " bytes";
}

TEST(WaveReader, RefusesChunkSizesThatRunPastTheirParent) {
    const Bytes fmt = chunk("fmt ", pcm_format(22050, 8));
    const Bytes data = samples(8);
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"data one byte longer", riff({fmt, chunk("data", data, 9)})},
        {"data of the largest size", riff({fmt, chunk("data", data, 0xFFFFFFFF)})},
        {"fmt longer than the file",
         riff({chunk("fmt ", pcm_format(22050, 8), 0x7FFFFFF0), chunk("data", data)})},
        {"skipped chunk that wraps a 32-bit offset",
         riff({chunk("LIST", Bytes{}, 0xFFFFFFF9), fmt, chunk("data", data)})},
        {"RIFF longer than the file", join({Bytes{'R', 'I', 'F', 'F', 0xFF, 0xFF, 0, 0},
                                            Bytes{'W', 'A', 'V', 'E'}, fmt, chunk("data", data)})},
    };
    for (const auto& [what, file] : files)
        EXPECT_FALSE(reads(file)) << what;
}

TEST(WaveReader, DamagedFilesNeverLeadItOutsideTheFile) {
    const Bytes original = sample_file();
    std::mt19937 random(2024);
    for (int round = 0; round < 3000; ++round) {
        Bytes file = original;
        for (int hits = 1 + round % 4; hits > 0; --hits)
            file[random() % file.size()] = static_cast<uint8_t>(random());
        file.resize(file.size() - random() % 3);
        auto copy = std::make_unique<uint8_t[]>(file.size());
        std::copy(file.begin(), file.end(), copy.get());
        std::span<const uint8_t> bytes(copy.get(), file.size());
        if (auto wave = read_wave(bytes)) {
            EXPECT_GE(wave->samples.data(), bytes.data());
            EXPECT_LE(wave->samples.data() + wave->samples.size(), bytes.data() + bytes.size());
        }
    }
}

} // namespace
