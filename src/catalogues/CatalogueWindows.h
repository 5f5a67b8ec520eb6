#pragma once
// Factories of the three catalogue windows for the start-up list: each binds its grid to its table.
class QWidget;

namespace nubra::app {
class TFormMain;
}

namespace nubra::catalogues {

QWidget* CreateFormTowary(app::TFormMain& main);
QWidget* CreateFormKontrah(app::TFormMain& main);
QWidget* CreateFormKarty(app::TFormMain& main);

} // namespace nubra::catalogues
