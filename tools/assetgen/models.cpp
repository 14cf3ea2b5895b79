#include "asset_sets.h"
#include "model_files.h"

Model singleColourModel(const std::string& materialName, Rgb colour, const std::string& objectName,
                        const Mesh& mesh) {
    Model model;
    model.addMaterial(materialName, colour);
    model.addObject(objectName, mesh, 0);
    return model;
}

bool writeModels(const std::string& outDir) {
    bool ok = true;
    ok = writeTankModels(outDir) && ok;
    ok = writeDebrisModels(outDir) && ok;
    ok = writeEnemyModels(outDir) && ok;
    ok = writePropModels(outDir) && ok;
    return ok;
}
