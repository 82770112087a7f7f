// The host's services as the plug-in's code sees them. The entry table
// implements this over the service words the host fills; tests may supply
// their own.
#ifndef C51_PROJECT_HOST_SERVICES_H_
#define C51_PROJECT_HOST_SERVICES_H_

namespace c51 {

struct ProjectNode;

class HostServices {
 public:
  // Sets every attribute of `detached` on `target`; others stay.
  virtual void UpdateNode(ProjectNode* target, ProjectNode* detached) = 0;
  // A new child element of `parent`, carrying "Name" = `name` when `name` is
  // not null; null when the host could not make it.
  virtual ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name) = 0;
  // Runs one user command line to its end; false on failure with the exit
  // code in `exit_code`.
  virtual bool RunCommand(const char* command_line, int* exit_code) = 0;
  // Kind 1: one line without line end. Kind 0: a text carrying its own "\r\n".
  virtual void Output(const char* text, int kind) = 0;
  virtual void TranslationDone() = 0;
  virtual void SetDriverSetting(const char* key, const char* value) = 0;
  virtual void DeviceChanged(void* device_record) = 0;

 protected:
  ~HostServices() = default;
};

}  // namespace c51

#endif  // C51_PROJECT_HOST_SERVICES_H_
