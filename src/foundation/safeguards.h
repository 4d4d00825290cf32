// Included last in every source file: the unbounded C string calls become compile errors,
// so every copy and format in the game states its bound.
#pragma once

#pragma GCC poison sprintf vsprintf strcpy strcat gets
