#include "launcher/bundle_routines.h"

#include <memory>
#include <vector>

#include "launcher/text_encoding.h"
#include "platform/exception.h"
#include "platform/file_stream.h"
#include "platform/native.h"
#include "platform/path.h"
#include "platform/temporary_file.h"
#include "zip/unzipper.h"
#include "zip/zipper.h"

namespace launcher {

namespace {

[[noreturn]] void FailToCreate(const std::string& archive) {
  throw platform::EFCreateError(platform::Format(platform::kUnableToCreateFile, archive.c_str()));
}

}  // namespace

void SaveResourceToFile(const resources::ResourceRegistry& registry,
                        const std::string& resource_name, const std::string& file_name) {
  const resources::Resource* resource = registry.Find(resource_name);
  if (resource == nullptr) throw resources::EResNotFound(resource_name);
  platform::TFileStream file(file_name, platform::FileMode::kCreate);
  file.WriteBuffer(resource->Value().data(), resource->Value().size());
}

void ExtractArchive(const std::string& archive_utf8, const std::string& target_utf8,
                    std::int32_t mode) {
  if (target_utf8.empty()) throw platform::EInOutError(platform::kCannotCreateEmptyDirectory);
  zip::OutputNameOverride.clear();
  std::string working = target_utf8;
  if (mode != 0) zip::OutputNameOverride = ToSystemCodePage(platform::ExtractFileName(working));
  // Only a backslash counts as the final separator here, so "dir/" becomes "dir/\".
  if (zip::OutputNameOverride.empty() && working.back() != '\\') working += '\\';
  zip::TUnZipper reader;
  reader.SetFileName(ToSystemCodePage(archive_utf8));
  reader.SetOutputFolder(ToSystemCodePage(platform::ExtractFilePath(working)));
  reader.ExtractAll();
}

void PackFolder(const std::string& folder_utf8, const std::string& archive_utf8) {
  const std::string folder = ToSystemCodePage(folder_utf8);
  const std::string archive = ToSystemCodePage(archive_utf8);

  zip::TZipper writer;
  // Declared after the writer, so that the files close before it goes.
  std::vector<std::unique_ptr<platform::TFileStream>> sources;
  constexpr std::uint32_t kNotAPlainFile =
      platform::kAttrDirectory | platform::kAttrSymLink | platform::kAttrVolumeId;
  for (const platform::FileInfo& found :
       platform::ListFolder(folder + "*", platform::Encoding::kSystemCodePage)) {
    // Only the files themselves: a subfolder's content or a link's target is not the user's.
    if ((found.attributes & kNotAPlainFile) != 0) continue;
    sources.push_back(std::make_unique<platform::TFileStream>(folder + found.name,
                                                              platform::FileMode::kOpenRead));
    writer.Entries().AddStream(*sources.back(), found.name).SetDateTime(found.last_write);
  }
  if (sources.empty()) return;

  // The new archive goes beside the old one and replaces it in one step once complete, so a
  // failure never costs the user the dictionary they had.
  platform::TemporaryFile partial(archive, platform::Encoding::kSystemCodePage);
  if (!partial.IsOpen()) FailToCreate(archive);
  partial.Close();  // the writer opens it again by name
  writer.SetFileName(partial.Path());
  writer.WriteArchive();
  sources.clear();
  if (!partial.ReplaceTarget()) FailToCreate(archive);
}

}  // namespace launcher
