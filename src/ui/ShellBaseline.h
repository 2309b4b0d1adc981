#pragma once

#include "model/ConfigDocument.h"

namespace zlc::ui {

// The configuration as its file holds it (as the program began, while no
// file is open), to tell whether the document differs from it: what a save
// would write that the file does not hold yet.
class DocumentBaseline {
  public:
    void Take(const ConfigDocument& doc) { block_ = doc.block; }
    bool Differs(const ConfigDocument& doc) const;

  private:
    ConfigBlock block_{};
};

} // namespace zlc::ui
