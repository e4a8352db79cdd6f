// ModelFile: reads a model file (JSON) into a Model. The file format is
// described with the model calls of qvhostsim/qvhostsim.h.
//
// The file is read in one pass, value by value (JsonReader), straight into
// the model: no document tree is built and a file need not be held whole.
// A file with faults is refused at the first fault in file order; a member
// name given twice in one object, and a parameter key, tool name or message
// number given twice, is such a fault.
#ifndef QVHOSTSIM_MODELFILE_H
#define QVHOSTSIM_MODELFILE_H

#include <string>
#include <string_view>

#include "JsonReader.h"
#include "ModelData.h"

namespace qvsim {

// Reads the model from `in` into *model. Returns 0, or -1 with one line in
// *err that begins with `name` and names the place ("model.json:
// plans[0].id: expected four ints", "model.json: not JSON: parse error at
// line 2, column 5: ..."); *model is then unspecified. textSize, the size of
// the text when known (else 0), lets the parameter storage be laid out once.
int ParseModel(JsonReader& in, const std::string& name, Model* model, std::string* err,
               std::size_t textSize = 0);
// The same for a model given as text.
int ParseModel(std::string_view text, const std::string& name, Model* model,
               std::string* err);

}  // namespace qvsim

#endif  // QVHOSTSIM_MODELFILE_H
