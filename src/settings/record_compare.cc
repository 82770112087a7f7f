#include "settings/record_compare.h"

namespace c51::settings {

bool SameTarget(const TargetRecord& a, const TargetRecord& b) {
  return a.code_mode == b.code_mode && a.mem_mode == b.mem_mode && a.rtos == b.rtos &&
         a.t51_flags == b.t51_flags && a.clock == b.clock && a.ocm51 == b.ocm51 &&
         a.ocr51 == b.ocr51 && a.code_bank == b.code_bank;
}

bool SameOutput(const OutputRecord& a, const OutputRecord& b) {
  return a.output_directory == b.output_directory && a.output_name == b.output_name &&
         a.listing_directory == b.listing_directory && a.gen_app == b.gen_app &&
         a.gen_lib == b.gen_lib;
}

bool SameCompiler(const C51Record& a, const C51Record& b) {
  return a.flags == b.flags && a.vector_address == b.vector_address && a.define == b.define &&
         a.undefine == b.undefine && a.misc == b.misc && a.include == b.include;
}

bool SameAssembler(const A51Record& a, const A51Record& b) {
  return a.flags == b.flags && a.set == b.set && a.reset == b.reset && a.misc == b.misc &&
         a.include == b.include;
}

bool SameLinkerLocate(const LinkerOptions& a, const LinkerOptions& b) {
  return a.flags == b.flags && a.code_base == b.code_base && a.xdata_base == b.xdata_base &&
         a.pdata_base == b.pdata_base && a.bit_base == b.bit_base && a.data_base == b.data_base &&
         a.idata_base == b.idata_base && a.precede == b.precede && a.stack == b.stack &&
         a.code_segments == b.code_segments && a.xdata_segments == b.xdata_segments &&
         a.bit_segments == b.bit_segments && a.data_segments == b.data_segments &&
         a.idata_segments == b.idata_segments;
}

bool SameLinkerMisc(const LinkerOptions& a, const LinkerOptions& b) {
  return a.overlay == b.overlay && a.misc == b.misc && a.disable_warnings == b.disable_warnings;
}

bool SameFileSwitches(const FileRecord& a, const FileRecord& b) {
  return a.include_in_build == b.include_in_build && a.gen_asm == b.gen_asm &&
         a.asm_asm == b.asm_asm && a.bank == b.bank;
}

}  // namespace c51::settings
