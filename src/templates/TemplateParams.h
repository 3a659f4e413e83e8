#pragma once
// A template's parameter file: the package marker and the fourteen values the
// catalogue stores, plus the bar-list and photo-slot helpers every step that
// reads slots uses.
#include <QString>
#include <QStringList>
#include <vector>

#include "IniFile.h"

namespace lumora {

inline const QString kPackageMarkerSection = QStringLiteral("l_x_q_k_t_p_w_j_s_y");
inline const QString kPackageMarker = QStringLiteral("q_k_t_p_s_y_l_x");

// The movie contract's identity pairs.
inline const QString kMovieIdentityVariable = QStringLiteral("l_x_z_y_l_f_c_x_c");
inline const QString kMovieIdentityValue = QStringLiteral("l_x_z_m_v_f_c_s_y_y_lx_c_w_j");
inline const QString kStartupIdentityVariable = QStringLiteral("l_x_z_f_c_q_d_x_c");
inline const QString kStartupIdentityValue = QStringLiteral("l_x_z_f_c_s_y_q_d_x_c_w_j");
inline const QString kNumStopVariable = QStringLiteral("num_stop");

struct TemplateParams {
    QString marker; // [l_x_q_k_t_p_w_j_s_y] l_x_q_k_t_p_w_j_s_y
    QString mblx; // [1] template type (row caption)
    QString mbfl; // [1] template class
    QString xpsl; // [1] photo count (shown only)
    QString xpkd; // [1] slot widths, bar list
    QString xpgd; // [1] slot heights, bar list
    QString szhz; // [1] slot orientations, bar list
    QString xpjpgmc; // [1] slot picture names, bar list
    QString mbdx; // [1] total frames
    QString name; // [l_x_q_k_t_p_w_j_s_y] l_x_q_k_t_p_w_j_s_y_m_c
    QString sl; // [0] sl
    QString wxcs01, wxcs02, wxcs03, wxcs04; // [1] text parameters

    static TemplateParams read(const IniFile &ini);
    // The fourteen catalogue values in catalogue column order (caption first).
    QStringList catalogueValues() const;
    bool markerOk() const { return marker == kPackageMarker; }
    // Writes the parameter file text (used by the authoring tool and tests).
    QString toIniText() const;
};

// Tokens of a bar list |a|b|c|: the texts between consecutive bars. Text
// before the first or after the last bar is ignored; no bars or one bar: none.
QStringList splitBarList(const QString &text);
// Joins tokens into |a|b|c|.
QString joinBarList(const QStringList &tokens);
// A slot is a photo slot when its picture name holds exactly one '_'.
bool isPhotoSlotName(const QString &token);
// Indices of the photo-slot tokens.
std::vector<int> photoSlotIndices(const QStringList &pictureNames);

} // namespace lumora
