// Nothing may unwind across the binary contract: the plug-in's entries and
// the host's services each run their body under Guarded, which turns any
// exception (memory exhaustion is the only source) into the call's failure
// value.
#ifndef C51_PROJECT_BOUNDARY_H_
#define C51_PROJECT_BOUNDARY_H_

namespace c51 {

// body(), or `failure` when it throws.
template <typename R, typename F>
R Guarded(R failure, F&& body) {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// body(); an exception ends it quietly.
template <typename F>
void Guarded(F&& body) {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace c51

#endif  // C51_PROJECT_BOUNDARY_H_
