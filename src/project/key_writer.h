// Writing keys through the host. The plug-in never changes a host node
// itself: it collects the attributes on a detached node named like the
// target and hands both to the host in one HostUpdateNode call. The host
// copies what it needs, so the detached node is freed right after.
#ifndef C51_PROJECT_KEY_WRITER_H_
#define C51_PROJECT_KEY_WRITER_H_

#include <string>

#include "project/node.h"

namespace c51 {

class HostServices;

// Writes nothing when the host or the target is null.
class KeyWriter {
 public:
  KeyWriter(HostServices* host, ProjectNode* target);
  KeyWriter(const KeyWriter&) = delete;
  KeyWriter& operator=(const KeyWriter&) = delete;

  // The keys go to the host in the order they are set.
  void Text(const char* key, const std::string& value);
  void Int(const char* key, int value);  // as "%d"
  void Double(const char* key, double value);
  // Hands the attributes to the host; false when nothing could be written.
  bool Commit();

 private:
  HostServices* host_;
  ProjectNode* target_;
  NodePtr node_;  // null when there is nothing to write to
};

// One attribute in its own HostUpdateNode call. Nothing is written when
// the host or the node is null or the attribute cannot be set.
void SetOneAttribute(HostServices* host, ProjectNode* node, const char* name, const char* value);

}  // namespace c51

#endif  // C51_PROJECT_KEY_WRITER_H_
