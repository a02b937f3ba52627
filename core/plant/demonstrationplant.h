// The plant built into the client, loaded by the demonstration login (core/login) instead of the server's.
#pragma once

struct PlantModel;

// Writes the demonstration tanks (number, name, diameter, maximum level and volume, material sifra
// and kind, density), the user name "Tervo Grupa" and all five rights flags of every tank into
// the model. Every other field keeps what it held: `active`, the codes, the other geometry, the
// rights' tank bytes and `configAccess` are not touched.
void loadDemonstrationPlant(PlantModel &plant);
