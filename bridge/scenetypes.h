#pragma once

// Makes the plain tables the scene shares with kx20ctl (key texts, report
// rates, lighting effects) available to QML as `import KX20 1.0`. Safe to call more than once.
void registerSceneTypes();
