// A private folder for sdcc's intermediate files, removed with everything in
// it when the translation ends, whatever way it ends.
#ifndef C51_TOOLS_SDCC_TEMP_FOLDER_H_
#define C51_TOOLS_SDCC_TEMP_FOLDER_H_

#include <string>

namespace c51::sdcc {

class TempFolder {
 public:
  // Under TMPDIR when it is set. Else on a memory file system when there
  // is one (XDG_RUNTIME_DIR, /dev/shm): a compile writes a dozen files
  // there and reads them back at once, and creating and removing them on a
  // disk's file system costs about a tenth of a small file's compile. Else
  // under /tmp.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends in "/"; empty when the folder could not be made. path() is a text
  // of ours (the local code page) for our own file functions; native() the
  // same folder as sdcc's programs are to be given it.
  const std::string& path() const { return path_; }
  const std::string& native() const { return native_; }

 private:
  std::string path_;
  std::string native_;
};

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_TEMP_FOLDER_H_
