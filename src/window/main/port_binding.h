#pragma once

class MeterPortChoice;
class PortSelector;
class QMenu;
struct ConnectPanel;

// Fills ComboPort, the NPort radio items and ComboScaner with the ports
// found at start-up, and keeps ComboPort and NPort showing the same choice
// whichever of them the operator uses.
void BindPorts(MeterPortChoice& choice, const PortSelector& selector, const ConnectPanel& panel, QMenu* NPort);
