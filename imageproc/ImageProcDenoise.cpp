#include "imageproc/ImageProcDenoise.h"

namespace ImageProcDenoise {

#define VQT_DENOISE_DEFINE(T, C, MAX) template class Denoise<T, C, 0, MAX, 10>;
VQT_DENOISE_INSTANCES(VQT_DENOISE_DEFINE)
#undef VQT_DENOISE_DEFINE

} // namespace ImageProcDenoise
