#include "examine/ReplacingFile.h"

#include <chrono>
#include <mutex>
#include <unordered_map>

namespace {

constexpr std::string_view kPrefix = "~qvkdc-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kUniqueSize = 6;
constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";

// splitmix64's mixing step: neighbouring seeds give unrelated names.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

ReplacingFile::~ReplacingFile() { Abandon(); }

Status ReplacingFile::Fail(Status status) {
    if (error_.ok()) error_ = std::move(status);
    return error_;
}

// Lower-case letters only: Windows does not tell "A" from "a" in a name.
std::string ReplacingFile::TemporaryName(std::uint64_t seed) {
    std::string name(kPrefix);
    std::uint64_t bits = Mix(seed);
    for (std::size_t i = 0; i < kUniqueSize; ++i) {
        name += kDigits[bits % kDigits.size()];
        bits /= kDigits.size();
    }
    name += kSuffix;
    return name;
}

bool ReplacingFile::IsTemporaryName(std::string_view name) {
    if (name.size() != kPrefix.size() + kUniqueSize + kSuffix.size()) return false;
    if (name.substr(0, kPrefix.size()) != kPrefix || name.substr(name.size() - kSuffix.size()) != kSuffix) {
        return false;
    }
    const std::string_view unique = name.substr(kPrefix.size(), kUniqueSize);
    return unique.find_first_not_of(kDigits) == std::string_view::npos;
}

// FNV-1a over the name; TemporaryName mixes it.
std::uint64_t ReplacingFile::SeedOf(std::string_view name) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return h;
}

void ReplacingFile::RemoveLeftoversOnce(const std::string& folder) {
    using Clock = std::chrono::steady_clock;
    static std::mutex mutex;
    static std::unordered_map<std::string, Clock::time_point> last;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const Clock::time_point now = Clock::now();
        const auto [at, first] = last.try_emplace(folder, now);
        if (!first && now - at->second < std::chrono::minutes(1)) return;
        at->second = now;
    }
    RemoveLeftovers(folder);
}
