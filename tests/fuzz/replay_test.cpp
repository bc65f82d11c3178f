// Replays a fuzz target's committed corpus (its seeds and every input that
// once found a fault) as an ordinary test.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(FuzzCorpus, EveryInputPassesItsChecks) {
  std::vector<std::filesystem::path> inputs;
  for (const auto& entry : std::filesystem::directory_iterator(CALORIX_FUZZ_CORPUS)) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  ASSERT_FALSE(inputs.empty());
  for (const auto& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    try {
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const calorix::fuzz::CheckFailed& e) {
      ADD_FAILURE() << input.filename() << ": " << e.what();
    } catch (const std::exception& e) {
      ADD_FAILURE() << input.filename() << ": escaped " << e.what();
    }
  }
}
