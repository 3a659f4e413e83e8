#pragma once
// What the template author ships for each mode, for the other authors that
// build on it (template packs name templates and count their photos).
#include <QString>
#include <vector>

#include "app/AlbumMode.h"

namespace lumora::studio {

struct AuthoredTemplateSummary {
    QString name; // the template's display name (l_x_q_k_t_p_w_j_s_y_m_c)
    int landscape = 0; // photo slots taking "heng"
    int portrait = 0; // photo slots taking "shu"
    int either = 0; // photo slots taking "shuheng"
};

// In catalogue (listing) order.
std::vector<AuthoredTemplateSummary> authoredTemplates(ModeKind mode);

} // namespace lumora::studio
