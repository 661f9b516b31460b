INSERT INTO operation(type_id,electro_id,plant_id,person_id,success)
VALUES(:type_id,:electro_id,:plant_id,:person_id,:success)
