#pragma once

// The panels of a document window. The first seven carry a change flag, and a
// tree click sends their changes in this order.
enum class EditorPanel { VirtualPorts, ACL, System, Groups, DialledNumbers, PhysicalPorts, Tones, ClassList };

constexpr int EditorPanelCount = 8;
constexpr int ChangeTrackedPanelCount = 7;
