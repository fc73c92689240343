// The counts file reader against damaged files: a mutation loop over a
// real counts file (bytes flipped, words set to extremes, the file cut or
// grown, digits of the description changed), each read through
// LoadCountsFile. Run it in a sanitizer build: a crash, a leak or a huge
// allocation is a fault; the tally shows how the reader refused the rest.
//
//   build/bench/counts_fuzz [ROUNDS [SEED]]   (default 20000, 1)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "engine/file/counts_file.h"

namespace zephyrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A counts file of a drawing with hits spread over it, as a seed to mutate.
Bytes SeedFile(const std::filesystem::path& path) {
    CountsDescription description;
    description.record = NewWindowRecord(96, 64);
    description.record.randomStart = kFalse;
    FreezeView(description.record);
    description.supersample = 2;
    description.history = {123456, {{7, 2}}};
    CountGrid counts(96, 64);
    std::mt19937 random(5);
    for (std::int32_t& count : counts.Counts())
        count = kUntouchedCount + static_cast<std::int32_t>(random() % 97);
    if (!SaveCountsFile(path, counts, description)) std::exit(2);
    return ReadBytes(path);
}

void Mutate(Bytes& bytes, std::mt19937_64& random) {
    const auto at = [&] { return static_cast<std::size_t>(random() % bytes.size()); };
    switch (random() % 6) {
        case 0:  // a few bytes flipped
            for (int i = 1 + static_cast<int>(random() % 8); i > 0; --i) bytes[at()] ^= 1u << (random() % 8);
            break;
        case 1: {  // a word set to an extreme
            constexpr std::uint32_t kWords[] = {0, 1, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0x10000, 0xFFFF};
            const std::uint32_t word = kWords[random() % std::size(kWords)];
            const std::size_t i = at() & ~std::size_t{1};
            for (std::size_t k = 0; k < 4 && i + k < bytes.size(); ++k)
                bytes[i + k] = (word >> (8 * k)) & 0xFF;
            break;
        }
        case 2:  // cut
            bytes.resize(at());
            break;
        case 3:  // grown by garbage
            for (int i = static_cast<int>(random() % 64); i > 0; --i) bytes.push_back(random() & 0xFF);
            break;
        case 4:  // a digit of the description changed
            for (int tries = 0; tries < 100; ++tries)
                if (std::uint8_t& b = bytes[at()]; b >= '0' && b <= '9') {
                    b = static_cast<std::uint8_t>("0123456789-:,=x"[random() % 15]);
                    break;
                }
            break;
        default:  // a stretch zeroed
            for (std::size_t i = at(), n = random() % 32; n > 0 && i < bytes.size(); --n, ++i) bytes[i] = 0;
            break;
    }
    if (bytes.empty()) bytes.push_back(0);
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    using namespace zephyrin;
    const long rounds = argc > 1 ? std::atol(argv[1]) : 20000;
    std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zephyrin-counts-fuzz";
    std::filesystem::create_directories(folder);
    const Bytes seed = SeedFile(folder / "seed.tif");
    const std::filesystem::path path = folder / "mutated.tif";

    long read = 0;
    std::map<std::string, long> refusals;
    for (long round = 0; round < rounds; ++round) {
        Bytes bytes = seed;
        for (int m = 1 + static_cast<int>(random() % 3); m > 0; --m) Mutate(bytes, random);
        WriteBytes(path, bytes);
        const Result<CountsFile> loaded = LoadCountsFile(path);
        if (loaded) {
            ++read;
            continue;
        }
        // The message without the file's name: the part after it.
        std::string cause = loaded.error();
        if (const std::size_t name = cause.find("mutated.tif\""); name != std::string::npos)
            cause = cause.substr(name + 12);
        ++refusals[cause.substr(0, 60)];
    }
    std::filesystem::remove_all(folder);
    std::printf("%ld damaged files: %ld read (the damage was in the counts or harmless), %ld refused\n",
                rounds, read, rounds - read);
    for (const auto& [cause, count] : refusals) std::printf("%8ld  %s\n", count, cause.c_str());
    return 0;
}
