#pragma once
// Plugs every window of the register into the main window's menu entries.
namespace falq {
class Session;
class TFACFMENU;
void registerWindows(TFACFMENU& menu, Session& session);
} // namespace falq
