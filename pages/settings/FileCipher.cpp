#include "pages/settings/FileCipher.h"

#include <cstring>
#include <vector>
#include <stdexcept>

namespace tg {

int PassPhraseKey(std::string_view phrase) {
  int key = 0;
  for (char c : phrase) key += static_cast<unsigned char>(c);
  return key;
}

namespace {

// Byte-wise sums and differences of eight bytes at once, no carry crossing
// from one byte into the next.
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
std::uint64_t addBytes(std::uint64_t x, std::uint64_t y) { return ((x & ~kHigh) + (y & ~kHigh)) ^ ((x ^ y) & kHigh); }
std::uint64_t subtractBytes(std::uint64_t x, std::uint64_t y) {
  return ((x | kHigh) - (y & ~kHigh)) ^ ((x ^ ~y) & kHigh);
}

// Byte i of `bytes` becomes itself +/- (key + i), modulo 256.
void transform(char* bytes, std::size_t size, unsigned char key, bool adding) {
  std::size_t i = 0;
  std::uint64_t keys = 0;  // key, key + 1, ... key + 7, lowest byte first
  for (int b = 7; b >= 0; --b) keys = (keys << 8) | static_cast<unsigned char>(key + b);
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    word = adding ? addBytes(word, keys) : subtractBytes(word, keys);
    std::memcpy(bytes + i, &word, 8);
    keys = addBytes(keys, 0x0808080808080808ULL);
  }
  for (; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const auto k = static_cast<unsigned char>(key + i);
    bytes[i] = static_cast<char>(adding ? byte + k : byte - k);
  }
}

}  // namespace

void CipherFile(FileSystem& files, const std::string& source, const std::string& destination, int keyStart,
                CipherDirection direction) {
  if (destination.empty()) throw std::runtime_error("no file is named to write to: nothing was changed.");
  // Written over itself block by block, a file would be lost half-way.
  if (files.sameFile(source, destination))
    throw std::runtime_error(source + " and " + destination + " are the same file: nothing was changed.");
  const std::unique_ptr<FileReader> in = files.openReader(source);
  if (!in) throw std::runtime_error("cannot open " + source);
  const std::unique_ptr<FileWriter> out = files.createReplacing(destination);
  if (!out) throw std::runtime_error("cannot create " + destination);
  // The key runs on byte by byte, so the 2048-byte blocks of the cipher may be
  // read and written many at a time: a call to the system per 2 KB would
  // make the disk wait on the calls.
  constexpr std::size_t kBlock = 2048;
  constexpr std::size_t kBlocksPerRead = 512;
  std::vector<char> buffer(kBlock * kBlocksPerRead);
  // Only the low 8 bits of the key and of the position count.
  auto key = static_cast<unsigned char>(keyStart);
  const bool adding = direction == CipherDirection::Add;
  for (;;) {
    const std::optional<std::size_t> got = in->read(buffer.data(), buffer.size());
    if (!got) throw std::runtime_error("cannot read " + source);
    if (*got == 0) break;
    transform(buffer.data(), *got, key, adding);
    key = static_cast<unsigned char>(key + *got);
    if (!out->write(buffer.data(), *got)) throw std::runtime_error("cannot write " + destination);
  }
  if (!out->commit()) throw std::runtime_error("cannot replace " + destination);
}

}  // namespace tg
