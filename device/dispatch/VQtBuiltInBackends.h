// The backends every program gets, registered in listing order on the first use of the
// library surfaces. Defined beside the backends (device/backends), so that the surface knows
// them only through VQtCameraBackend and VQtBoardBackend.
#ifndef VQTBUILTINBACKENDS_H
#define VQTBUILTINBACKENDS_H

void vqtRegisterBuiltInBackends();

#endif // VQTBUILTINBACKENDS_H
