#version 330 core
#include "fullViewQuad.glsl"
