#include "export/save_options.h"

namespace qw {

const char* SaveExtension(SaveFormat format) {
  switch (format) {
    case SaveFormat::Dif: return ".DIF";
    case SaveFormat::Sylk: return ".SLK";
    default: return ".TXT";
  }
}

std::string WithSaveExtension(const std::string& name, SaveFormat format) {
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  if (name.empty() || dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
  return name.substr(0, dot) + SaveExtension(format);
}

}  // namespace qw
