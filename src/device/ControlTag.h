#pragma once
// The integer tag a control carries for the program's own use (the register number of a button, the
// limit of a label), kept as the control's "tag" property.
#include <QObject>
#include <QVariant>

namespace nubra::app {

// 0 for a control whose tag was never set.
inline int Tag(const QObject* control) {
    return control ? control->property("tag").toInt() : 0;
}
inline void SetTag(QObject* control, int value) {
    control->setProperty("tag", value);
}

} // namespace nubra::app
