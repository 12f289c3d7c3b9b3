#include "graphics/RenderDevice.h"

Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

void FillQuadIndices(uint16_t* indices, int quadCount) {
  for (int q = 0; q < quadCount; ++q) {
    const auto base = uint16_t(4 * q);
    uint16_t* i = indices + 6 * q;
    i[0] = base;
    i[1] = uint16_t(base + 2);
    i[2] = uint16_t(base + 3);
    i[3] = base;
    i[4] = uint16_t(base + 1);
    i[5] = uint16_t(base + 2);
  }
}
