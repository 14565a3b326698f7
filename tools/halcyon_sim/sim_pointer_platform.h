#pragma once

class SimSession;

// Puts a stand-in for the system's pointer settings behind the pointer slots:
// it prints what the system would be asked ("system pointer-speed 20") and
// answers success, or failure after {"sim":"pointer","fail":true}.
void installSimPointerPlatform(SimSession& session);
