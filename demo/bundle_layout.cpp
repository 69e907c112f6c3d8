#include "demo/bundle_layout.h"

#include <memory>
#include <utility>
#include <vector>

#include "demo/payload.h"
#include "platform/datetime.h"
#include "platform/exception.h"
#include "platform/file_stream.h"
#include "platform/memory_stream.h"
#include "platform/native.h"
#include "zip/zipper.h"

namespace demo {

namespace {

constexpr int kLibraryCount = 13;
constexpr int kRuntimeFiles = 163;  // beside its four folder entries
constexpr int kDictionaryFiles = 296;

// Named contents, written as one archive in the order they were added.
class ArchiveBuilder {
 public:
  void Add(std::string name, std::vector<std::uint8_t> bytes) {
    AddSource(std::move(name), std::make_unique<platform::TMemoryStream>(std::move(bytes)));
  }
  void AddFile(std::string name, const std::string& path) {
    AddSource(std::move(name),
              std::make_unique<platform::TFileStream>(path, platform::FileMode::kOpenRead));
  }

  void Write(const std::string& path) {
    // A fixed date, so that the same inputs always give the same archive.
    const platform::TDateTime stamp =
        platform::EncodeDate(2024, 5, 17) + platform::EncodeTime(10, 30, 0, 0);
    zip::TZipper writer;
    writer.SetFileName(path);
    for (auto& [name, source] : entries_) {
      writer.Entries().AddStream(*source, name).SetDateTime(stamp);
    }
    writer.WriteArchive();
  }

 private:
  void AddSource(std::string name, std::unique_ptr<platform::TStream> source) {
    entries_.emplace_back(std::move(name), std::move(source));
  }

  std::vector<std::pair<std::string, std::unique_ptr<platform::TStream>>> entries_;
};

std::string Numbered(const char* format, int number) { return platform::Format(format, number); }

// One top folder with three below it; stored (incompressible) and deflated files.
void WriteRuntimeArchive(const std::string& path, const BundleScale& scale) {
  ArchiveBuilder archive;
  const char* const kFolders[] = {"yap/bin/", "yap/library/", "yap/share/"};
  archive.Add("yap/", {});
  for (const char* folder : kFolders) archive.Add(folder, {});
  for (int i = 0; i < kRuntimeFiles; ++i) {
    const std::string name = kFolders[i % 3] + Numbered("module_%03d.pl", i);
    const std::size_t size = scale.runtime_file_size / 8 + (scale.runtime_file_size * 7 / 8) *
                                                               static_cast<std::size_t>(i % 11) /
                                                               10;
    // Every fifth module is precompiled, and compiled code barely compresses.
    archive.Add(name, i % 5 == 0 ? BinaryPayload(name, size, 0.0) : TextPayload(name, size));
  }
  archive.Write(path);
}

// Flat: plain files only, all of them index data that does not compress except the entries.
void WriteDictionaryArchive(const std::string& path) {
  ArchiveBuilder archive;
  archive.Add("entrades.txt", TextPayload("entrades", 4096));
  for (int i = 1; i < kDictionaryFiles; ++i) {
    const std::string name = Numbered("vevivur_%03d.idx", i);
    archive.Add(name, BinaryPayload(name, 200 + static_cast<std::size_t>(i * 7 % 1800), 0.0));
  }
  archive.Write(path);
}

}  // namespace

void WriteBundle(const std::string& application, const std::string& output,
                 const BundleScale& scale) {
  const std::string runtime = output + ".Yap.zip";
  const std::string dictionary = output + ".vevivur.zip";
  WriteRuntimeArchive(runtime, scale);
  WriteDictionaryArchive(dictionary);
  {
    ArchiveBuilder bundle;
    bundle.AddFile("korvantel.exe", application);
    bundle.AddFile("Yap.zip", runtime);
    bundle.AddFile("vevivur.zip", dictionary);
    const char* const kLibraries[kLibraryCount] = {
        "korvantel_core.dll", "korvantel_ui.dll", "korvantel_io.dll", "yap_engine.dll",
        "yap_builtins.dll",   "yap_gmp.dll",      "ui_widgets.dll",   "ui_graphics.dll",
        "ui_text.dll",        "ui_dialogs.dll",   "zlib_support.dll", "iconv_support.dll",
        "intl_support.dll"};
    for (const char* library : kLibraries) {
      bundle.Add(library, BinaryPayload(library, scale.library_size, 0.68));
    }
    bundle.Add("yap_state.sav", BinaryPayload("state", scale.state_size, 0.7));
    bundle.Add("korvantel.dat", TextPayload("data", 791));
    for (const char* catalogue : {"ui_es.mo", "ui_fr.mo", "ui_it.mo"}) {
      bundle.Add(catalogue, TextPayload(catalogue, scale.catalogue_size));
    }
    bundle.Write(output);
  }
  platform::DeleteFileEntry(runtime, platform::Encoding::kSystemCodePage);
  platform::DeleteFileEntry(dictionary, platform::Encoding::kSystemCodePage);
}

}  // namespace demo
