// The file cipher against a plain copy of the same file, under wine: its
// throughput, and the memory it takes, which must not grow with the file.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pages/settings/FileCipher.h"
#include "win32/TempFolder.h"
#include "win32/Win32FileSystem.h"

namespace {

double seconds(const std::chrono::steady_clock::time_point& since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

SIZE_T peakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

bool writeFile(const std::string& path, std::size_t megabytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  std::string block(1 << 20, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 31 + 7) & 0xFF);
  bool ok = true;
  for (std::size_t m = 0; m < megabytes && ok; ++m) {
    DWORD written = 0;
    ok = WriteFile(f, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written == block.size();
  }
  CloseHandle(f);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
  tg::testing::TempFolder folder;
  const std::string source = folder / "source.bin", copy = folder / "copy.bin", scrambled = folder / "scrambled.bin";
  if (!writeFile(source, megabytes)) {
    std::printf("cannot write %s\n", source.c_str());
    return 1;
  }
  tg::win32::Win32FileSystem files;
  const SIZE_T before = peakWorkingSet();
  double copySeconds = 1e9, cipherSeconds = 1e9;
  for (int run = 0; run < 3; ++run) {
    auto start = std::chrono::steady_clock::now();
    if (!CopyFileA(source.c_str(), copy.c_str(), FALSE)) {
      std::printf("cannot copy\n");
      return 1;
    }
    // The cipher's output is on the disk before it replaces anything; the copy
    // is put there too, so that both do the same work.
    HANDLE written = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (written == INVALID_HANDLE_VALUE || !FlushFileBuffers(written)) {
      std::printf("cannot flush the copy\n");
      return 1;
    }
    CloseHandle(written);
    copySeconds = std::min(copySeconds, seconds(start));
    start = std::chrono::steady_clock::now();
    tg::CipherFile(files, source, scrambled, tg::PassPhraseKey("Mirt4826"), tg::CipherDirection::Add);
    cipherSeconds = std::min(cipherSeconds, seconds(start));
  }
  const SIZE_T after = peakWorkingSet();
  const double mb = static_cast<double>(megabytes);
  std::printf("file cipher on a %zu MB file, best of 3 runs:\n", megabytes);
  std::printf("  plain copy, flushed to the disk  %7.1f MB/s  (%.2f s)\n", mb / copySeconds, copySeconds);
  std::printf("  scramble                         %7.1f MB/s  (%.2f s)  %.2f of the copy's speed (aim: 0.5 or more)\n",
              mb / cipherSeconds, cipherSeconds, copySeconds / cipherSeconds);
  std::printf("  peak working set %.1f MB before, %.1f MB after (the file is %zu MB)\n", before / 1048576.0,
              after / 1048576.0, megabytes);
  DeleteFileA(copy.c_str());
  DeleteFileA(scrambled.c_str());
  DeleteFileA(source.c_str());
  return 0;
}
