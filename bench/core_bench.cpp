// Times ReadBook and WriteBook on two generated books of 256 MiB against
// OpenSSL's RC4 over the same fields, and the peak memory of reading each.
//
//   qob-bench-core [DIR]   (DIR: where the books go; a fresh temporary
//                           directory by default)

#define OPENSSL_SUPPRESS_DEPRECATED  // RC4() is the plain cipher, fine for timing
#include <openssl/rc4.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "book_file.h"

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
constexpr std::size_t kBookBytes = 256 * kMiB;
constexpr int kRounds = 5;

struct BookShape {
    const char* name;
    std::size_t articles;
    std::size_t contentBytes;
};

const BookShape kShapes[] = {
    {"novel (8192 x 32 KiB)", 8192, 32 * 1024},
    {"single article (256 MiB)", 1, kBookBytes},
};

// Bytes 1..255: book texts never hold a NUL.
std::string Filler(std::size_t size, std::uint32_t seed) {
    std::string text(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& byte : text) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(1 + state % 255);
    }
    return text;
}

qob::ArticleList Generate(const BookShape& shape) {
    qob::ArticleList list;
    list.Reserve(shape.articles);
    for (std::size_t n = 0; n < shape.articles; ++n) {
        list.Append({"\xB5\xDA" + std::to_string(n + 1) + "\xD5\xC2", Filler(shape.contentBytes, n)});
    }
    return list;
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void OpenSslDecipher(qob::ArticleList& list, const std::string& keyText) {
    for (std::size_t n = 0; n < list.Count(); ++n) {
        for (qob::Text* text : {&list.At(n).title, &list.At(n).content}) {
            RC4_KEY key;
            RC4_set_key(&key, static_cast<int>(keyText.size()), reinterpret_cast<const unsigned char*>(keyText.data()));
            auto* bytes = reinterpret_cast<unsigned char*>(text->data());
            RC4(&key, text->size(), bytes, bytes);
        }
    }
}

double MBps(std::uintmax_t bytes, double seconds) { return static_cast<double>(bytes) / seconds / 1e6; }

struct Timings {
    double write = 1e300;
    double read = 1e300;
    double openssl = 1e300;
    bool ok = true;
};

// Best of a few rounds, the three measured in turn so that a busy machine
// slows them alike. Freeing a book is not part of reading it.
Timings TimeRounds(const qob::ArticleList& list, const std::string& path) {
    Timings best;
    for (int round = 0; round < kRounds; ++round) {
        best.write = std::min(best.write, Seconds([&] {
            best.ok = best.ok && qob::WriteBook(path, list) == qob::WriteOutcome::Ok;
        }));
        qob::LoadedBook book;
        best.read = std::min(best.read, Seconds([&] { book = qob::ReadBook(path); }));
        best.ok = best.ok && !book.damaged && book.articles.Count() == list.Count();
        const std::string keyText = qob::KeyText(book.key);
        best.openssl = std::min(best.openssl, Seconds([&] { OpenSslDecipher(book.articles, keyText); }));
    }
    return best;
}

// Runs in its own process so that each book's memory is gone afterwards.
void TimeBook(const BookShape& shape, const std::string& path) {
    const Timings best = TimeRounds(Generate(shape), path);
    const auto bytes = std::filesystem::file_size(path);
    std::printf("%s: %.1f MiB file%s\n", shape.name, static_cast<double>(bytes) / kMiB, best.ok ? "" : " (FAILED)");
    std::printf("  OpenSSL RC4  %8.0f MB/s\n", MBps(bytes, best.openssl));
    std::printf("  ReadBook     %8.0f MB/s  %5.2fx OpenSSL\n", MBps(bytes, best.read), best.openssl / best.read);
    std::printf("  WriteBook    %8.0f MB/s  %5.2fx OpenSSL (with fsync)\n", MBps(bytes, best.write),
                best.openssl / best.write);
}

// Peak memory of a fresh child that only reads the book.
void MeasurePeak(const std::string& path) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) _exit(qob::ReadBook(path).outcome == qob::ReadOutcome::Ok ? 0 : 1);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) * 1024;
    const double size = static_cast<double>(std::filesystem::file_size(path));
    std::printf("  ReadBook peak RSS %.1f MiB = %.2fx the file%s\n", peak / kMiB, peak / size,
                status == 0 ? "" : " (FAILED)");
}

void RunInChild(const std::function<void()>& work) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        work();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

std::string CpuName() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown CPU";
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir;
    if (argc > 1) {
        dir = argv[1];
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "qob-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return 1;
        dir = pattern;
    }
    std::printf("qob-bench-core on %s, %ld CPUs, books in %s\n", CpuName().c_str(), sysconf(_SC_NPROCESSORS_ONLN),
                dir.c_str());
    // The parent stays small, so each peak child starts from almost nothing.
    for (const auto& shape : kShapes) {
        const std::string path = dir + "/bench.qob";
        RunInChild([&] { TimeBook(shape, path); });
        MeasurePeak(path);
        std::filesystem::remove(path);
    }
    if (argc <= 1) std::filesystem::remove_all(dir);
    return 0;
}
