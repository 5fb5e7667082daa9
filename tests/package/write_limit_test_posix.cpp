// A save that fails halfway, made real with a file-size limit: the write
// fails, the old package stays, and the partial temporary file goes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "package/package_file.h"
#include "package/package_fixture.h"

namespace {

// Lowers the file-size limit for as long as it lives; writes past the limit
// then fail (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_;
  sighandler_t previous_;
};

using PackageWriteLimit = PackageTest;

TEST_F(PackageWriteLimit, WriteFailingHalfwayKeepsTheOldPackage) {
  PlugInEntry* entry = AddPlugIn(plugIns_.get(), "Reverb", "{AAAAAAAA-0000-4000-8000-000000000001}");
  AddPreset(entry, "small", {1, 2, 3});
  ASSERT_EQ(0, Save());
  const ByteVector old = FileBytes();

  AddPreset(entry, "large", ByteVector(64 * 1024, 9));
  {
    FileSizeLimit limit(8 * 1024);
    EXPECT_EQ(E_RIFF_WRITE, Save());
  }
  EXPECT_EQ(old, FileBytes());
  EXPECT_FALSE(File_Exists(temp_.Join("package.vtpreset.0.tmp").c_str()));
  EXPECT_EQ(0, Save());
}

}  // namespace
