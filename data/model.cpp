#include "data/model.h"

namespace sg8 {

void initModel(Model& model)
{
    model = Model{};
}

void resetGeneralList(Model& model, std::size_t count)
{
    model.generals = GeneralList(count);
}

void putGeneral(CustomGeneral& place, const CustomGeneral& record)
{
    CustomGeneral copy = record;
    place = std::move(copy);
}

bool storeGeneral(Model& model, std::size_t index, const CustomGeneral& record)
{
    CustomGeneral& place = model.generals.at(index);
    if (place == record) return false;
    putGeneral(place, record);
    model.unsavedEdits = true;
    return true;
}

void installFile(Model& model, GeneralList generals, std::int32_t trailerValue, std::filesystem::path path,
                 std::optional<FileIdentity> identity)
{
    model.generals = std::move(generals);
    model.trailerValue = trailerValue;
    model.savePath = std::move(path);
    model.unsavedEdits = false;
    model.fileIdentity = identity;
}

}  // namespace sg8
