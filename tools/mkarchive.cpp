// Packs resources/XMLK into the ZIP archive the program carries: every entry below "XMLK/",
// the mod template folder first (a directory entry for each of its folders), then the
// workspace files in a fixed order.
//
//   brennwick-mkarchive RESOURCES_FOLDER OUTPUT.zip

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kModFolder = "[Brennwick] Materials/";

const std::vector<std::string> kModEntries = {
    "data/",
    "data/config/",
    "data/config/export/",
    "data/config/export/main/",
    "data/config/export/main/asset/",
    "data/config/export/main/asset/assets.xml",
    "data/config/gui/",
    "data/config/gui/texts_german.xml",
    "data/icon/",
    "data/icon/Item_1.png",
    "data/icon/Item_2.png",
    "data/icon/Item_3.png",
    "data/icon/Item_4.png",
    "data/icon/Item_5.png",
    "data/icon/Item_6.png",
    "modinfo.json",
};

const std::vector<std::string> kWorkspaceFiles = {
    "2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml",
    "2000502238.xml", "2000502240.xml", "Info.txt",       "Products.xml",
    "Property.xml",   "Sessions.xml",   "Target.xml",
};

int Fail(const std::string& what) {
  std::fprintf(stderr, "brennwick-mkarchive: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: brennwick-mkarchive RESOURCES_FOLDER OUTPUT.zip");
  const fs::path workspace = fs::path(argv[1]) / "XMLK";
  const fs::path output = argv[2];
  fs::create_directories(output.parent_path());
  fs::remove(output);

  std::vector<std::string> entries = {std::string("XMLK/") + kModFolder};
  for (const std::string& e : kModEntries) entries.push_back(std::string("XMLK/") + kModFolder + e);
  for (const std::string& f : kWorkspaceFiles) entries.push_back("XMLK/" + f);

  int error = 0;
  zip_t* archive = zip_open(output.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) return Fail("cannot create " + output.string());
  for (const std::string& entry : entries) {
    if (entry.back() == '/') {
      if (zip_dir_add(archive, entry.c_str(), ZIP_FL_ENC_UTF_8) < 0) return Fail(zip_strerror(archive));
      continue;
    }
    const fs::path source = workspace / entry.substr(5);
    if (!fs::is_regular_file(source)) return Fail("missing workspace file " + source.string());
    zip_source_t* data = zip_source_file(archive, source.c_str(), 0, -1);
    if (!data) return Fail(zip_strerror(archive));
    const zip_int64_t index = zip_file_add(archive, entry.c_str(), data, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(data);
      return Fail(zip_strerror(archive));
    }
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
    // A fixed time stamp keeps the archive the same from build to build.
    zip_file_set_dostime(archive, zip_uint64_t(index), 0, 0x5021, 0);
  }
  if (zip_close(archive) < 0) return Fail(zip_strerror(archive));
  return 0;
}
