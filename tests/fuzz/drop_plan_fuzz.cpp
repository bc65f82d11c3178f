// Any list of dropped paths in a folder tree of day files: the plan follows
// the documented rules and names only what was dropped or, for a dropped
// folder, day files in it.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/drop_rules.h"
#include "fuzz_support.h"

namespace {

namespace fs = std::filesystem;
using calorix::app::DropPlan;

const fs::path& Tree() {
  static const fs::path tree = [] {
    const fs::path root = calorix::fuzz::ScratchFolder() / "tree";
    for (const char* file : {"2024/05/20240501.csv", "2024/06/20240602.csv", "05/20240503.csv", "20240504.CSV",
                             "notes.txt", "logs/20240505.csv", "logs/06/20240606.csv", "logs/2023/12/20231231.csv"}) {
      calorix::fuzz::WriteFile(root / file, "DATE;T1\r\n");
    }
    fs::create_directories(root / "empty" / "07");
    return root;
  }();
  return tree;
}

// A path inside the tree: the input's folder names without "..".
fs::path InTree(const std::string& text) {
  fs::path path = Tree();
  for (const fs::path& part : fs::path(text).relative_path()) {
    if (part != ".." && !part.empty()) path /= part;
  }
  return path;
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool Below(const fs::path& file, const fs::path& folder) {
  const auto relative = file.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return 0;
  std::vector<fs::path> paths;
  if (size > 0) {
    const auto nuls = static_cast<std::size_t>(std::count(data, data + size, std::uint8_t{0}));
    for (const std::string& part : calorix::fuzz::Parts(data, size, std::min<std::size_t>(nuls + 1, 6))) {
      paths.push_back(InTree(part));
    }
  }
  const DropPlan plan = calorix::app::PlanDrop(paths);
  std::vector<fs::path> files;
  std::copy_if(paths.begin(), paths.end(), std::back_inserter(files), [](const fs::path& p) { return !IsFolder(p); });
  const bool oneFolder = paths.size() == 1 && IsFolder(paths[0]);
  switch (plan.kind) {
    case DropPlan::Kind::Nothing: FUZZ_CHECK(!oneFolder && files.empty() && plan.files.empty()); break;
    case DropPlan::Kind::NoDayFiles: FUZZ_CHECK(oneFolder && plan.files == paths); break;
    case DropPlan::Kind::OfferRange:
      FUZZ_CHECK(oneFolder && plan.files.size() == 2);
      for (const fs::path& file : plan.files) {
        FUZZ_CHECK(calorix::app::IsDayFileName(file) && fs::is_regular_file(file) && Below(file, paths[0]));
      }
      FUZZ_CHECK(!(plan.files[1].filename() < plan.files[0].filename()));
      break;
    case DropPlan::Kind::OpenRange:
      FUZZ_CHECK(!oneFolder && files.size() == 2 && plan.files.size() == 2);
      FUZZ_CHECK(std::is_permutation(plan.files.begin(), plan.files.end(), files.begin()));
      FUZZ_CHECK(calorix::app::IsDayFileName(plan.files[0]) && calorix::app::IsDayFileName(plan.files[1]));
      FUZZ_CHECK(calorix::app::InOneFolderTree(plan.files[0], plan.files[1]));
      FUZZ_CHECK(!(plan.files[1].filename() < plan.files[0].filename()));
      break;
    case DropPlan::Kind::OpenFiles: FUZZ_CHECK(!oneFolder && !files.empty() && plan.files == files); break;
  }
  return 0;
}
