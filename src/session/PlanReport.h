#pragma once
// The album plan as a JSON document: output, templates with their slots and
// photos, photos, refused files, songs and the production music list, effect
// counts. lumora-make --plan --json prints it; tests compare plans with it.
#include <string>
#include <vector>

#include "album/AddStep.h"
#include "app/Album.h"
#include "production/ProductionRun.h"

namespace lumora {

std::string planJsonText(const Album &album, const ProductionPlan &plan, const std::vector<RefusedPhoto> &refused);

} // namespace lumora
