// The fractal value noise of the panel's base texture: eight octaves of
// hashed value noise, each octave's position warped by the octaves before.
// Everything is single precision; the vectorised version repeats the same
// operations, so both give the same bits.
#pragma once

namespace editor {

constexpr int kNoiseOctaves = 8;

struct NoiseOctave {
  float a;       // hash weight of the cell column
  float b;       // hash weight of the cell row
  float weight;  // f^-0.653
};

// The octave constants, computed once.
const NoiseOctave* noiseOctaves();

// Hash of a cell key: the fraction (towards zero) of a scaled sine.
float noiseHash(float key);

// The noise value N(x, y) in [0, 1].
float fractalNoise(float x, float y);

// The base texture height J of pixel (x, y).
float baseTextureHeight(int x, int y);

// Fills rows [rowBegin, rowEnd) of a width-wide height map with the base
// texture, one pixel at a time (the reference).
void fillBaseTextureReference(float* heightMap, int width, int rowBegin, int rowEnd);

// Same result, as fast as the processor allows (vectorised where it can,
// rows split over two threads).
void fillBaseTextureFast(float* heightMap, int width, int height);

}  // namespace editor
