#include "project/key_writer.h"

#include "project/host_services.h"

namespace c51 {

KeyWriter::KeyWriter(HostServices* host, ProjectNode* target)
    : host_(host),
      target_(target),
      node_(host != nullptr && target != nullptr ? CreateDetachedNode(NodeName(target)) : nullptr) {
}

void KeyWriter::Text(const char* key, const std::string& value) {
  if (node_ != nullptr) SetAttributeText(node_.get(), key, value.c_str());
}

void KeyWriter::Int(const char* key, int value) {
  if (node_ != nullptr) SetAttributeInt(node_.get(), key, value);
}

void KeyWriter::Double(const char* key, double value) {
  if (node_ != nullptr) SetAttributeDouble(node_.get(), key, value);
}

bool KeyWriter::Commit() {
  if (node_ == nullptr) return false;
  host_->UpdateNode(target_, node_.get());
  node_.reset();
  return true;
}

void SetOneAttribute(HostServices* host, ProjectNode* node, const char* name, const char* value) {
  if (host == nullptr || node == nullptr) return;
  NodePtr detached = CreateDetachedNode(NodeName(node));
  if (detached == nullptr || !SetAttributeText(detached.get(), name, value)) return;
  host->UpdateNode(node, detached.get());
}

}  // namespace c51
