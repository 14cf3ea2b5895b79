#pragma once
// The groups of model files the asset tool writes, and the shared helpers
// they use to store a model under its name.
#include <string>

#include "mesh.h"

bool writeTankModels(const std::string& outDir);
bool writeDebrisModels(const std::string& outDir);
bool writeEnemyModels(const std::string& outDir);
bool writePropModels(const std::string& outDir);

// A model whose every object uses material 0 of the given colour.
Model singleColourModel(const std::string& materialName, Rgb colour, const std::string& objectName,
                        const Mesh& mesh);
