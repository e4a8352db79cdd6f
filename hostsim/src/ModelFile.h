// ModelFile: reads a model file (JSON) into a Model. The file format is
// described with the model calls of qvhostsim/qvhostsim.h.
#ifndef QVHOSTSIM_MODELFILE_H
#define QVHOSTSIM_MODELFILE_H

#include <string>
#include <string_view>

#include "ModelData.h"

namespace qvsim {

// Parses `text` into *model. Returns 0, or -1 with one line in *err that
// begins with `name` and names the place ("model.json: plans[0].id: expected
// four ints"); *model is then unspecified.
int ParseModel(std::string_view text, const std::string& name, Model* model,
               std::string* err);

}  // namespace qvsim

#endif  // QVHOSTSIM_MODELFILE_H
