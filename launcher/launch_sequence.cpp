#include "launcher/launch_sequence.h"

#include <string>

#include "launcher/bundle_routines.h"
#include "launcher/text_encoding.h"
#include "platform/file_operations.h"
#include "platform/process.h"
#include "resources/bundle.h"

namespace launcher {

namespace {

constexpr std::int32_t kFolderMode = 0;

void RunApplication(const std::string& install_dir, const std::string& first_argument) {
  platform::TProcess process;
  process.Parameters.push_back(first_argument);
  process.Executable = "\"" + install_dir + "korvantel.exe\"";
  auto options = process.Options();
  options.insert(platform::ProcessOption::kWaitOnExit);
  process.SetOptions(options);
  process.Launch();
}

// Removes the installation however the run ends; the removal itself never raises.
class InstallationCleanUp {
 public:
  explicit InstallationCleanUp(const std::string& install_dir_utf8)
      : install_dir_utf8_(install_dir_utf8) {}
  InstallationCleanUp(const InstallationCleanUp&) = delete;
  InstallationCleanUp& operator=(const InstallationCleanUp&) = delete;
  ~InstallationCleanUp() { platform::RemoveFolderTree(install_dir_utf8_, false); }

 private:
  const std::string& install_dir_utf8_;
};

// `launcher_dir` is UTF-8, `install_dir` in the system code page (`install_dir_utf8` is the
// same folder); each path is formed as a plain concatenation and converted whole where an
// operation wants the other encoding.
void InstallRunAndCarryBack(const resources::ResourceRegistry& registry,
                            const std::string& launcher_dir, const std::string& install_dir,
                            const std::string& install_dir_utf8) {
  // Asked before anything runs: a user file that cannot be looked for must stop the run before
  // the application has worked on it, not after.
  const std::string launcher_dir_system = ToSystemCodePage(launcher_dir);
  std::string first_argument;

  if (!platform::FileIsPresent(install_dir + "\\korvantel.exe")) {
    platform::MakeFolderChain(install_dir_utf8);
    first_argument = platform::ArgumentAt(1);
    SaveResourceToFile(registry, resources::kBundleResourceName,
                       install_dir + "korvantelprincipal.zip");
    ExtractArchive(install_dir_utf8 + "\\korvantelprincipal.zip", install_dir_utf8, kFolderMode);
    platform::RemoveFile(install_dir_utf8 + "korvantelprincipal.zip");
    // The bundle stores "Yap.zip"; names match without regard to case.
    ExtractArchive(install_dir_utf8 + "\\yap.zip", install_dir_utf8, kFolderMode);
    platform::RemoveFile(install_dir_utf8 + "\\yap.zip");
    if (platform::FileIsPresent(launcher_dir_system + "vevivur.zip")) {
      platform::CopyFileContents(launcher_dir + "vevivur.zip", install_dir_utf8 + "vevivur.zip",
                                 platform::kCopyOverwrite);
    }
    ExtractArchive(install_dir_utf8 + "\\vevivur.zip", install_dir_utf8 + "vevivur\\", kFolderMode);
    if (platform::FileIsPresent(launcher_dir_system + "trad_dyn.csv")) {
      platform::CopyFileContents(launcher_dir + "trad_dyn.csv", install_dir_utf8 + "trad_dyn.csv",
                                 platform::kCopyOverwrite);
    }
  }

  RunApplication(install_dir, first_argument);

  if (platform::FileIsPresent(install_dir + "trad_dyn.pl")) {
    platform::CopyFileContents(install_dir_utf8 + "trad_dyn.pl", launcher_dir + "trad_dyn.pl",
                               platform::kCopyOverwrite);
  }
  // Only a user who keeps a dictionary archive gets it back.
  if (platform::FileIsPresent(launcher_dir_system + "vevivur.zip")) {
    PackFolder(install_dir_utf8 + "vevivur\\", launcher_dir + "\\vevivur.zip");
  }
}

}  // namespace

void LaunchSequence(const resources::ResourceRegistry& registry) {
  // Formed before anything can fail, so the clean-up never meets a partial folder name.
  const std::string launcher_dir = platform::CurrentFolder() + "\\";
  const std::string install_dir = platform::TempFolder() + "\\korvantel42\\";
  const std::string install_dir_utf8 = ToUtf8(install_dir);
  const InstallationCleanUp clean_up(install_dir_utf8);
  InstallRunAndCarryBack(registry, launcher_dir, install_dir, install_dir_utf8);
}

}  // namespace launcher
