#pragma once

// Makes the plain tables the scene shares with kx20ctl (key texts, report
// rates, lighting effects, button functions, the macro encoding) available
// to QML as `import KX20 1.0`. Safe to call more than once.
void registerSceneTypes();
